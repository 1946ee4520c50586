#pragma once

#include "CombatList.h"

#include <memory>
#include <string>
#include <vector>

/**
 * A combat list for board tests that do not need real combats: it keeps none and remembers the
 * files it was asked to read and write. The program itself never gets one.
 */
class FakeCombatList : public CombatList {
public:
    void Declare(TDC&, const TPoint&, int) override {}
    void ShowAll(TDC&, const TPoint&) override {}
    void ClearAll(TDC&, const TPoint&) override {}
    void ShowResults(int) override {}
    void ReadFile(const std::string& fileName) override { FilesRead.push_back(fileName); }
    bool WriteFile(const std::string&) override { return true; }
    std::string FileBytes() const override { return std::string(4, '\0'); }
    void ResendReceived() override {}
    std::vector<Entry> Entries() const override { return {}; }

    std::vector<std::string> FilesRead;

    static std::unique_ptr<CombatList> Make(TWindow*, HINSTANCE, TDC*) {
        return std::make_unique<FakeCombatList>();
    }
};
