#include "base/dbf/file_swap.h"

#include "base/dbf/file_io.h"
#include "base/paths.h"

#include <system_error>

namespace arkona::dbf {

namespace {

std::function<void(const std::string&)>& notice() {
    static std::function<void(const std::string&)> n;
    return n;
}

std::function<void(int)>& stepHook() {
    static std::function<void(int)> h;
    return h;
}

bool present(const std::filesystem::path& p) {
    std::error_code ec;
    return std::filesystem::exists(p, ec);
}

void removeIfThere(const std::filesystem::path& p) {
    std::error_code ec;
    std::filesystem::remove(p, ec);
}

std::filesystem::path folderOf(const std::filesystem::path& file) {
    return file.parent_path().empty() ? std::filesystem::path(".") : file.parent_path();
}

// "<stem>.dbt<suffix>" or "<stem>.fpt<suffix>" beside the table, in any letter case.
std::filesystem::path memoWithSuffix(const std::filesystem::path& table, const char* suffix) {
    const std::string stem = table.stem().string();
    for (const char* ext : {".dbt", ".fpt"}) {
        auto found = paths::findEntryNoCase(folderOf(table), stem + ext + suffix);
        if (!found.empty()) {
            return found;
        }
    }
    return {};
}

// The name a swap file stands in for.
std::filesystem::path withoutSuffix(const std::filesystem::path& file) {
    std::string name = file.filename().string();
    name.resize(name.size() - std::string(kNewSuffix).size());
    return file.parent_path() / name;
}

std::string displayName(const std::filesystem::path& table) {
    return paths::forDisplay(table);
}

} // namespace

std::filesystem::path newFileOf(const std::filesystem::path& file) {
    return std::filesystem::path(file.string() + kNewSuffix);
}

std::filesystem::path oldFileOf(const std::filesystem::path& file) {
    return std::filesystem::path(file.string() + kOldSuffix);
}

void swapInPair(const std::filesystem::path& table, const std::filesystem::path& memo) {
    const auto folder = folderOf(table);
    const auto rename = [&](const std::filesystem::path& from, const std::filesystem::path& to) {
        std::filesystem::rename(from, to);
        syncFolder(folder);
    };
    testing::swapStep(1);
    int done = 0;
    try {
        rename(table, oldFileOf(table));
        ++done;
        testing::swapStep(2);
        rename(memo, oldFileOf(memo));
        ++done;
        testing::swapStep(3);
        rename(newFileOf(memo), memo);
        ++done;
        testing::swapStep(4);
        rename(newFileOf(table), table);
        ++done;
        testing::swapStep(5);
    } catch (const std::filesystem::filesystem_error& e) {
        // Put the old pair back; the new files go.
        std::error_code ignored;
        if (done >= 3) {
            std::filesystem::rename(memo, newFileOf(memo), ignored);
        }
        if (done >= 2) {
            std::filesystem::rename(oldFileOf(memo), memo, ignored);
        }
        if (done >= 1) {
            std::filesystem::rename(oldFileOf(table), table, ignored);
        }
        removeIfThere(newFileOf(memo));
        removeIfThere(newFileOf(table));
        syncFolder(folder);
        throw std::system_error(e.code());
    }
    // The backup of the table goes last: while it is there, the swap counts as unfinished.
    removeIfThere(oldFileOf(memo));
    testing::swapStep(6);
    removeIfThere(oldFileOf(table));
    syncFolder(folder);
}

SwapState finishInterruptedSwap(const std::filesystem::path& table) {
    const auto backup = oldFileOf(table);
    if (!present(backup)) {
        return SwapState::Clean;
    }
    // A living swap holds the old table exclusively; a crashed one left it free.
    FileHandle held;
    if (!held.open(backup, false)) {
        return SwapState::Clean; // finished meanwhile
    }
    if (!held.lock(FileHandle::Lock::Exclusive)) {
        return SwapState::Busy;
    }
    if (!held.isSameFileAs(backup)) {
        return SwapState::Clean; // another opener finished it while we waited
    }
    const auto folder = folderOf(table);
    std::error_code ec;
    const auto newMemo = memoWithSuffix(table, kNewSuffix);
    if (!newMemo.empty()) {
        const auto memo = withoutSuffix(newMemo);
        if (present(memo) && !present(oldFileOf(memo))) {
            std::filesystem::rename(memo, oldFileOf(memo), ec);
        }
        std::filesystem::rename(newMemo, memo, ec);
    }
    if (present(newFileOf(table))) {
        std::filesystem::rename(newFileOf(table), table, ec);
    }
    syncFolder(folder);
    if (ec || !present(table)) {
        return SwapState::Busy; // could not finish it; the caller reports the table as held
    }
    const auto oldMemo = memoWithSuffix(table, kOldSuffix);
    if (!oldMemo.empty()) {
        removeIfThere(oldMemo);
    }
    removeIfThere(backup);
    syncFolder(folder);
    announceRepair("Přerušená optimalizace tabulky " + displayName(table) +
                   " byla dokončena, data jsou v pořádku.");
    return SwapState::Repaired;
}

SwapState removeAbandonedRebuild(const std::filesystem::path& table,
                                 const std::filesystem::path& memo) {
    bool removed = false;
    for (const auto& leftover : {newFileOf(table), memo.empty() ? memo : newFileOf(memo)}) {
        if (!leftover.empty() && present(leftover)) {
            removeIfThere(leftover);
            removed = true;
        }
    }
    if (!removed) {
        return SwapState::Clean;
    }
    syncFolder(folderOf(table));
    announceRepair("Přerušená optimalizace tabulky " + displayName(table) +
                   " byla vrácena zpět, data zůstala beze změny.");
    return SwapState::Repaired;
}

void setRepairNotice(std::function<void(const std::string&)> n) {
    notice() = std::move(n);
}

void announceRepair(const std::string& text) {
    if (notice()) {
        notice()(text);
    }
}

namespace testing {

void setSwapStepHook(std::function<void(int)> hook) {
    stepHook() = std::move(hook);
}

void swapStep(int step) {
    if (stepHook()) {
        stepHook()(step);
    }
}

} // namespace testing

} // namespace arkona::dbf
