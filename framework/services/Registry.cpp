#include "services/Registry.h"

#include "services/RegistryFile.h"
#include "services/ServicePaths.h"

#include <cstring>

namespace {

std::string Quoted(std::string_view name) {
    return "'" + std::string(name) + "'";
}

const SRegValue& FindValue(const SRegTree& tree, const std::string& key, std::string_view name) {
    auto k = tree.keys.find(key);
    if (k == tree.keys.end())
        throw ERegistryException("Registry key " + Quoted(key) + " no longer exists");
    auto v = k->second.find(name);
    if (v == k->second.end())
        throw ERegistryException("Registry value " + Quoted(name) + " is missing");
    return v->second;
}

} // namespace

TRegistry::TRegistry() : TRegistry(RegistryDirectory()) {}

TRegistry::TRegistry(std::filesystem::path directory) : directory_(std::move(directory)) {}

SRegTree TRegistry::Tree() const {
    return staged_ ? *staged_ : CRegistryFile(directory_).Load();
}

void TRegistry::Change(const std::function<bool(SRegTree&)>& change) {
    if (!staged_) {
        CRegistryFile(directory_).Update(change);
        return;
    }
    if (readOnly_) throw ERegistryException("The registry is only read here");
    if (change(*staged_)) stagedChanged_ = true;
}

void TRegistry::Snapshot(const std::function<void()>& reads) {
    if (staged_) {
        reads();
        return;
    }
    SRegTree tree = CRegistryFile(directory_).Load();
    struct SUnstage {
        SRegTree*& staged;
        bool& readOnly;
        ~SUnstage() {
            staged = nullptr;
            readOnly = false;
        }
    } unstage{staged_, readOnly_};
    staged_ = &tree;
    readOnly_ = true;
    reads();
}

void TRegistry::Transaction(const std::function<void()>& changes) {
    if (staged_) {
        changes();
        return;
    }
    CRegistryFile(directory_).Update([&](SRegTree& tree) {
        struct SUnstage {
            SRegTree*& staged;
            ~SUnstage() { staged = nullptr; }
        } unstage{staged_};
        staged_ = &tree;
        stagedChanged_ = false;
        changes();
        return stagedChanged_;
    });
}

bool TRegistry::OpenKey(std::string_view key, bool canCreate) {
    std::string path = NormaliseKeyPath(key);
    if (Tree().keys.contains(path)) {
        current_ = path;
        return true;
    }
    if (!canCreate) return false;
    Change([&](SRegTree& tree) {
        if (tree.keys.contains(path)) return false;
        for (size_t cut = path.find('\\'); cut != std::string::npos; cut = path.find('\\', cut + 1))
            tree.keys.try_emplace(path.substr(0, cut));
        tree.keys.try_emplace(path);
        return true;
    });
    current_ = path;
    return true;
}

void TRegistry::CloseKey() {
    current_.clear();
}

bool TRegistry::KeyExists(std::string_view key) const {
    return Tree().keys.contains(NormaliseKeyPath(key));
}

bool TRegistry::ValueExists(std::string_view name) const {
    SRegTree tree = Tree();
    auto k = tree.keys.find(current_);
    return k != tree.keys.end() && k->second.contains(name);
}

std::int32_t TRegistry::ReadInteger(std::string_view name) const {
    SRegTree tree = Tree();
    const SRegValue& value = FindValue(tree, current_, name);
    if (value.kind != SRegValue::EKind::Integer)
        throw ERegistryException("Registry value " + Quoted(name) + " is not an integer");
    return value.integer;
}

bool TRegistry::ReadBool(std::string_view name) const {
    return ReadInteger(name) != 0;
}

int TRegistry::ReadBinaryData(std::string_view name, void* buffer, int size) const {
    SRegTree tree = Tree();
    const SRegValue& value = FindValue(tree, current_, name);
    if (value.kind != SRegValue::EKind::Binary)
        throw ERegistryException("Registry value " + Quoted(name) + " is not binary data");
    if (size < 0 || value.bytes.size() != static_cast<size_t>(size))
        throw ERegistryException("Registry value " + Quoted(name) + " holds " +
                                 std::to_string(value.bytes.size()) + " bytes, " +
                                 std::to_string(size) + " expected");
    if (size > 0) std::memcpy(buffer, value.bytes.data(), value.bytes.size());
    return size;
}

void TRegistry::StoreValue(std::string_view name, SRegValue value) {
    Change([&](SRegTree& tree) {
        auto k = tree.keys.find(current_);
        if (k == tree.keys.end())
            throw ERegistryException("Registry key " + Quoted(current_) + " no longer exists");
        auto v = k->second.find(name);
        if (v == k->second.end())
            k->second.emplace(std::string(name), std::move(value));
        else
            v->second = std::move(value); // keeps the name's first spelling
        return true;
    });
}

void TRegistry::WriteInteger(std::string_view name, std::int32_t value) {
    SRegValue stored;
    stored.integer = value;
    StoreValue(name, std::move(stored));
}

void TRegistry::WriteBool(std::string_view name, bool value) {
    WriteInteger(name, value ? 1 : 0);
}

void TRegistry::WriteBinaryData(std::string_view name, const void* buffer, int size) {
    if (size < 0 || (size > 0 && buffer == nullptr))
        throw ERegistryException("Invalid data for registry value " + Quoted(name));
    SRegValue stored;
    stored.kind = SRegValue::EKind::Binary;
    const auto* bytes = static_cast<const std::uint8_t*>(buffer);
    stored.bytes.assign(bytes, bytes + size);
    StoreValue(name, std::move(stored));
}

bool TRegistry::DeleteValue(std::string_view name) {
    bool deleted = false;
    Change([&](SRegTree& tree) {
        auto k = tree.keys.find(current_);
        deleted = k != tree.keys.end() && k->second.erase(std::string(name)) > 0;
        return deleted;
    });
    return deleted;
}

bool TRegistry::DeleteKey(std::string_view key) {
    std::string path = NormaliseKeyPath(key);
    if (path.empty()) throw ERegistryException("The registry root cannot be deleted");
    bool deleted = false;
    Change([&](SRegTree& tree) {
        deleted = std::erase_if(tree.keys, [&](const auto& entry) {
                      return IsSameOrBelow(entry.first, path);
                  }) > 0;
        return deleted;
    });
    return deleted;
}
