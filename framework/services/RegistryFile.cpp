#include "services/RegistryFile.h"

#include "services/Registry.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// A store far beyond anything the program writes is taken as damaged, not read.
constexpr off_t kMaxStoreBytes = 16 * 1024 * 1024;

class CFd {
public:
    explicit CFd(int fd) : fd_(fd) {}
    CFd(const CFd&) = delete;
    CFd& operator=(const CFd&) = delete;
    ~CFd() {
        if (fd_ >= 0) ::close(fd_);
    }
    int get() const { return fd_; }
    // Closes now so that a failing close (a lost write) is seen.
    int Close() {
        int result = ::close(fd_);
        fd_ = -1;
        return result;
    }

private:
    int fd_;
};

[[noreturn]] void Fail(const std::string& what, const std::filesystem::path& path, int error) {
    throw ERegistryException(what + " " + path.string() + ": " + std::strerror(error));
}

enum class ERead { Missing, Read, Implausible };

// I/O failures raise; a store that is no file or far too large is reported, not read.
ERead ReadWhole(const std::filesystem::path& path, std::string& text) {
    CFd fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
    if (fd.get() < 0) {
        if (errno == ENOENT) return ERead::Missing;
        Fail("Cannot open the registry store", path, errno);
    }
    struct stat info {};
    if (::fstat(fd.get(), &info) != 0) Fail("Cannot read the registry store", path, errno);
    if (!S_ISREG(info.st_mode) || info.st_size > kMaxStoreBytes) return ERead::Implausible;
    text.resize(static_cast<size_t>(info.st_size));
    size_t done = 0;
    while (done < text.size()) {
        ssize_t n = ::read(fd.get(), text.data() + done, text.size() - done);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) Fail("Cannot read the registry store", path, errno);
        if (n == 0) break; // shrank meanwhile; the parser sees the cut
        done += static_cast<size_t>(n);
    }
    text.resize(done);
    return ERead::Read;
}

SRegTree EmptyTree() {
    SRegTree tree;
    tree.keys[""];
    return tree;
}

ERegistryException Damaged(const std::filesystem::path& path) {
    return ERegistryException("The registry store " + path.string() +
                              " is damaged (not a file of a plausible size)");
}

void WriteAll(int fd, const std::string& text, const std::filesystem::path& path) {
    size_t done = 0;
    while (done < text.size()) {
        ssize_t n = ::write(fd, text.data() + done, text.size() - done);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) Fail("Cannot write the registry store", path, errno);
        done += static_cast<size_t>(n);
    }
}

void ReplaceAtomically(const std::filesystem::path& target, const std::string& text) {
    std::filesystem::path temp = target;
    temp += ".tmp";
    CFd fd(::open(temp.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600));
    if (fd.get() < 0) Fail("Cannot write the registry store", temp, errno);
    WriteAll(fd.get(), text, temp);
    if (::fsync(fd.get()) != 0) Fail("Cannot flush the registry store", temp, errno);
    if (fd.Close() != 0) Fail("Cannot write the registry store", temp, errno);
    if (::rename(temp.c_str(), target.c_str()) != 0)
        Fail("Cannot replace the registry store", target, errno);
    // The rename itself lives in the folder; flush it too so it survives a power loss.
    CFd dir(::open(target.parent_path().c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (dir.get() >= 0) ::fsync(dir.get());
}

} // namespace

CRegistryFile::CRegistryFile(std::filesystem::path directory) : directory_(std::move(directory)) {}

SRegTree CRegistryFile::Load() const {
    std::string text;
    switch (ReadWhole(StorePath(), text)) {
    case ERead::Missing:
        return EmptyTree();
    case ERead::Implausible:
        throw Damaged(StorePath());
    case ERead::Read:
        break;
    }
    return ParseRegistry(text, StorePath().string());
}

void CRegistryFile::Update(const std::function<bool(SRegTree&)>& change) {
    std::error_code error;
    std::filesystem::create_directories(directory_, error);
    if (error) Fail("Cannot create the registry folder", directory_, error.value());

    std::filesystem::path lockPath = directory_ / "registry.lock";
    CFd lock(::open(lockPath.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600));
    if (lock.get() < 0) Fail("Cannot open the registry lock", lockPath, errno);
    while (::flock(lock.get(), LOCK_EX) != 0) {
        if (errno != EINTR) Fail("Cannot lock the registry", lockPath, errno);
    }

    SRegTree tree = EmptyTree();
    std::string text;
    bool damaged = false;
    switch (ReadWhole(StorePath(), text)) {
    case ERead::Missing:
        break;
    case ERead::Implausible:
        damaged = true;
        break;
    case ERead::Read:
        try {
            tree = ParseRegistry(text, StorePath().string());
        } catch (const ERegistryException&) {
            damaged = true;
        }
        break;
    }
    if (damaged) {
        // Keep the unreadable file for the user and start afresh.
        std::filesystem::path aside = directory_ / "registry.damaged";
        if (::rename(StorePath().c_str(), aside.c_str()) != 0)
            Fail("Cannot set aside the damaged registry store", StorePath(), errno);
    }
    if (change(tree)) ReplaceAtomically(StorePath(), SerializeRegistry(tree));
    // The lock goes with the descriptor.
}
