#pragma once

#include "services/RegistryText.h"

#include <filesystem>
#include <functional>

// The registry store on disk: "registry.txt" in its folder, replaced whole on every change.
// A change writes "registry.txt.tmp", flushes it to the disk and renames it over the store,
// all while holding an flock on "registry.lock", so concurrent instances never lose each
// other's values and a crash at any moment leaves the old or the new store, never a mix.
// Readers take no lock (but to set a damaged store aside): the rename hands them one
// complete file or the other.
//
// A store that is damaged (unparsable, not a regular file, or far too large) raises at the
// first call that meets it, and that call also moves it aside as "registry.damaged" (or
// "registry.damaged.2" and so on, never over an earlier one) for the user to look at: the
// next call starts from an empty store. A store that cannot be reached at all (a folder
// without access) raises on every call.
class CRegistryFile {
public:
    explicit CRegistryFile(std::filesystem::path directory);

    // The store as it is now; a store that was never written is empty.
    SRegTree Load() const;

    // Applies `change` to the current store under the lock and writes the result when it
    // returns true. Exceptions from `change` leave the store untouched.
    void Update(const std::function<bool(SRegTree&)>& change);

    std::filesystem::path StorePath() const { return directory_ / "registry.txt"; }

private:
    std::filesystem::path directory_;
};

// Runs under the lock just before a changed store is renamed over the old one, once the new
// text is on the disk; an exception from it fails that update as a full disk would. Tests
// fail chosen writes with it. Empty by default; returns the previous probe.
std::function<void()> SetRegistryCommitProbe(std::function<void()> probe);
