#pragma once

#include "CombatRecord.h"
#include "HexGrid.h"
#include "UnitFile.h"
#include "UnitRoster.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

/**
 * The tests' own reading of the turn files and their own movement report, worked out from
 * the formats, so that a saved turn is never checked with the program's readers and writers.
 * All numbers are signed 32-bit little-endian.
 */
class TurnFormats {
public:
    /** A unit file: exactly 220 records of a position word (hex + 10000 x mark) and the start
     *  hex. Nothing if the bytes are not that. */
    static std::optional<UnitFile::Records> Units(std::string_view bytes) {
        if (bytes.size() != 220 * 8)
            return std::nullopt;
        Bytes in{bytes};
        UnitFile::Records units;
        for (CounterRecord& u : units) {
            std::int32_t word = 0;
            in.Int(word);
            in.Int(u.StartIndex);
            u.HexIndex = word % 10000;
            u.Mark = word / 10000;
        }
        return units;
    }

    /**
     * A combat file: the count, then per combat the lengths of its odds, die roll and comment,
     * each non-empty text followed by a zero byte, the attacked hex and the marker's x, y and
     * picture. Nothing if the bytes end early or go on after the last combat.
     */
    static std::optional<std::vector<CombatRecord>> Combats(std::string_view bytes) {
        Bytes in{bytes};
        std::int32_t count = 0;
        if (!in.Int(count) || count < 0 || std::size_t(count) > bytes.size() / 28)
            return std::nullopt;
        auto combats = std::vector<CombatRecord>(std::size_t(count));
        for (CombatRecord& c : combats) {
            std::int32_t odds = 0, die = 0, comment = 0;
            if (!in.Int(odds) || !in.Int(die) || !in.Int(comment) || !in.Text(odds, c.Data.Odds) ||
                !in.Text(die, c.Data.DieRoll) || !in.Text(comment, c.Data.Comments) ||
                !in.Int(c.Data.HexIndex) || !in.Int(c.MarkerPosition.x) ||
                !in.Int(c.MarkerPosition.y) || !in.Int(c.MarkerImage))
                return std::nullopt;
        }
        if (!in.Left.empty())
            return std::nullopt;
        return combats;
    }

    /**
     * The movement report: a header, then for every unit on the map at the start of the turn or
     * now its label padded to 19, its start hex padded to 12, its hex padded to 10 and
     * "- Rail", "- Repl" or (unmoved) "- Did not move"; a line of 33 tildes between the Soviet
     * units (up to 104) and the Axis ones.
     */
    static std::string Report(const UnitFile::Records& units) {
        const auto padded = [](std::string text, std::size_t width) {
            text.resize(std::max(width, text.size()), ' ');
            return text;
        };
        std::string text = "Unit               From        To\n";
        for (int i = 0; i < 220; ++i) {
            const CounterRecord& u = units[std::size_t(i)];
            if (HexGrid::OnBoard(u.HexIndex) || HexGrid::OnBoard(u.StartIndex)) {
                const char* note = u.Mark == 2                  ? "- Rail"
                                   : u.Mark == 3                ? "- Repl"
                                   : u.HexIndex == u.StartIndex ? "- Did not move"
                                                                : "";
                text += padded(std::string(UnitRoster::Label(i)), 19) +
                        padded(HexGrid::Label(u.StartIndex), 12) +
                        padded(HexGrid::Label(u.HexIndex), 10) + note + "\n";
            }
            if (i == 104)
                text += "\n" + std::string(33, '~') + "\n\n";
        }
        return text;
    }

private:
    /** Reads numbers and texts off the front of the bytes; false once they run out. */
    struct Bytes {
        std::string_view Left;

        bool Int(std::int32_t& value) {
            if (Left.size() < 4)
                return false;
            std::uint32_t v = 0;
            for (int i = 3; i >= 0; --i)
                v = v << 8 | std::uint8_t(Left[std::size_t(i)]);
            value = std::int32_t(v);
            Left.remove_prefix(4);
            return true;
        }
        bool Text(std::int32_t length, std::string& text) {
            if (length == 0)
                return true;
            if (length < 0 || Left.size() <= std::size_t(length) ||
                Left[std::size_t(length)] != '\0')
                return false;
            text = Left.substr(0, std::size_t(length));
            Left.remove_prefix(std::size_t(length) + 1);
            return true;
        }
    };
};
