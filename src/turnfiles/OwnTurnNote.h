#pragma once

#include <cstddef>
#include <string>
#include <string_view>

/**
 * The note that a turn's files were written here, by this player: ".<name>.kvk.own" beside
 * the unit file, written with every save. It tells a turn saved by the player (whose combats
 * are the player's own, to be passed on again at the next save) from a turn received from the
 * opponent (whose combats must never go back to them), which the turn files alone cannot tell
 * when no counter has moved.
 *
 * The note holds the size and a fingerprint of the unit and combat files as written, and the
 * user and machine that wrote them. It vouches for a turn only while both files are exactly
 * as written and are read by the same user on the same machine: a turn replaced since, or a
 * note copied along with the files to the opponent, vouches for nothing.
 */
class OwnTurnNote {
public:
    static constexpr const char* Suffix = ".own";
    /** No file larger than this is vouched for. */
    static constexpr std::size_t MaxFileSize = std::size_t(1) << 26;

    /** The note's name for a unit file. */
    static std::string FileName(const std::string& unitFileName);
    /** The note for a turn whose unit and combat files hold these bytes. */
    static std::string Text(std::string_view unitBytes, std::string_view combatBytes);
    /** Whether the note beside the unit file vouches for it and its combat file as they are. */
    static bool Vouches(const std::string& unitFileName, const std::string& combatFileName);
};
