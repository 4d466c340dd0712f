// The program's start with the framework's hooks: the fifth instance, the windows, a
// damaged registry store.
#include "Application.h"
#include "CurvixApp.h"
#include "DataSelFF.h"
#include "MessageBox.h"
#include "RegistryNames.h"
#include "ScratchDir.h"
#include "services/NamedMutex.h"
#include "services/Registry.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QTimer>
#include <QWidget>

#include <filesystem>
#include <random>
#include <sys/fsuid.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {
struct Hooks {
    std::vector<std::string> messages;
    TMessageBoxHook oldBox;
    std::function<void()> oldQuit;
    Hooks() {
        oldBox =
            SetMessageBoxHook([this](const std::string& text, const std::string& title, unsigned) {
                messages.push_back(title + ": " + text);
                return IDOK;
            });
        oldQuit = SetQuitHook([] {});
    }
    ~Hooks() {
        SetMessageBoxHook(oldBox);
        SetQuitHook(oldQuit);
    }
};

char arg0[] = "curvix";
char* argv[] = {arg0, nullptr};
} // namespace

TEST(CurvixStart, FifthInstanceShowsTheMessageAndTouchesNoRegistry) {
    ScratchDir dir;
    Hooks hooks;
    std::vector<CNamedMutex> held;
    for (int i = 0; i < 4; ++i) {
        auto m = CNamedMutex::TryAcquire(std::string(kInstanceMutexPrefix) + char('0' + i));
        ASSERT_TRUE(m);
        held.push_back(std::move(*m));
    }
    int argc = 1;
    EXPECT_EQ(RunCurvix(argc, argv), 0);
    ASSERT_EQ(hooks.messages.size(), 1u);
    EXPECT_EQ(hooks.messages[0], "Too Many Instances: Max 4 program instances allowed");
    EXPECT_FALSE(std::filesystem::exists(dir.path / "reg"));
}

TEST(CurvixStart, SecondInstanceRunsTheLoopWithElevenWindowsAndStoresStateAtClose) {
    ScratchDir dir;
    Hooks hooks;
    SetQuitHook(nullptr); // the real loop; the timer below closes the main window
    auto first = CNamedMutex::TryAcquire(std::string(kInstanceMutexPrefix) + "0");
    ASSERT_TRUE(first);
    int windows = 0;
    std::string caption;
    QTimer::singleShot(0, [&] {
        for (int i = 0; i < Application->ComponentCount(); ++i)
            if (dynamic_cast<TCustomForm*>(Application->Components(i))) ++windows;
        caption = Application->MainForm()->Caption();
        Application->MainForm()->Close();
    });
    int argc = 1;
    EXPECT_EQ(RunCurvix(argc, argv), 0);
    EXPECT_EQ(windows, 11);
    EXPECT_EQ(caption, "QJ's Curvix - Data selection (2)");
    EXPECT_TRUE(hooks.messages.empty());
}

namespace {
namespace fs = std::filesystem;

// Root passes every permission check: as root the test takes a plain user's file access,
// on this thread only, to meet a folder without access as a user does.
struct SPlainUserFiles {
    const bool root = ::geteuid() == 0;
    SPlainUserFiles() {
        if (root) ::setfsuid(65534);
    }
    ~SPlainUserFiles() {
        if (root) ::setfsuid(0);
    }
    bool Taken() const { return !root || ::setfsuid(-1) == 65534; }
};

// What a damaged store is, to find it again where it was kept.
struct SKept {
    fs::file_type type = fs::file_type::not_found;
    std::string bytes;
    bool operator==(const SKept&) const = default;
};
void PrintTo(const SKept& k, std::ostream* out) {
    *out << "file type " << static_cast<int>(k.type) << " of " << k.bytes.size() << " bytes";
}
SKept Look(const fs::path& path) {
    std::error_code unreachable;
    SKept k{fs::symlink_status(path, unreachable).type(), {}};
    if (k.type == fs::file_type::regular) k.bytes = testsupport::readFile(path.string());
    return k;
}
} // namespace

// Each damage of the store, met at start-up and then at close: the program shows the
// registry message, comes up and runs with the defaults, and closes; the damaged store is
// kept for the user, beside an earlier one.
TEST(CurvixStart, ADamagedStoreAtStartOrAtCloseGivesItsMessageAndTheProgramRuns) {
    struct SDamage {
        const char* what;
        std::function<void(const fs::path& store)> make;
        bool keptAside;
    };
    const SDamage damages[] = {
        {"cut in half",
         [](const fs::path& s) {
             const std::string text = testsupport::readFile(s);
             testsupport::writeFile(s, text.substr(0, text.size() / 2));
         },
         true},
        {"emptied", [](const fs::path& s) { testsupport::writeFile(s, ""); }, true},
        {"random bytes",
         [](const fs::path& s) {
             std::mt19937 random(25);
             std::string bytes(4096, '\0');
             for (char& c : bytes)
                 c = static_cast<char>(random());
             testsupport::writeFile(s, bytes);
         },
         true},
        {"a folder",
         [](const fs::path& s) {
             fs::remove(s);
             fs::create_directory(s);
         },
         true},
        {"over 16 MB", [](const fs::path& s) { fs::resize_file(s, 16 * 1024 * 1024 + 1); }, true},
        {"a FIFO",
         [](const fs::path& s) {
             fs::remove(s);
             ASSERT_EQ(::mkfifo(s.c_str(), 0600), 0);
         },
         true},
        {"its folder without access",
         [](const fs::path& s) { fs::permissions(s.parent_path(), fs::perms::none); }, false},
    };
    Hooks hooks;
    SetQuitHook(nullptr); // the real loop; closing the main window ends the run
    for (const SDamage& damage : damages) {
        SCOPED_TRACE(damage.what);
        ScratchDir dir;
        fs::permissions(dir.path, fs::perms::all);
        SPlainUserFiles user;
        ASSERT_TRUE(user.Taken());
        const fs::path folder = dir.path / "reg", store = folder / "registry.txt";
        const auto healthy = [] {
            TRegistry r;
            r.OpenKey(kProgramKey, true);
            const std::uint8_t options[16] = {1, 0, 0, 0, 0, 0, 1, 0, 0, 0, 0, 0, 0, 0, 0x70, 0x42};
            r.WriteBinaryData(kProgramOptionsValue, options, 16);
            r.WriteBool(kMultiFileModeValue, true);
        };
        const auto run = [&](const std::function<void()>& whileRunning) {
            hooks.messages.clear();
            bool running = false;
            QTimer::singleShot(0, [&] {
                running = Application->MainForm() && Application->MainForm()->Visible();
                whileRunning();
                Application->MainForm()->Close();
            });
            int argc = 1;
            EXPECT_EQ(RunCurvix(argc, argv), 0);
            EXPECT_TRUE(running);
            fs::permissions(folder, fs::perms::owner_all);
        };

        healthy();
        damage.make(store);
        const SKept damaged = Look(store);
        run([] {});
        const std::string registryError =
            "Error in Registry: Error reading data in Registry\n(This may be caused by the "
            "first use of this release of the program).\nThe Curvix keys are cancelled and "
            "defaults restored.";
        std::vector<std::string> expected{registryError};
        // A damaged store is gone from the way by then; a folder without access is not.
        if (!damage.keptAside) expected.push_back("Severe Error: Error deleting a registry value");
        EXPECT_EQ(hooks.messages, expected);
        EXPECT_EQ(Look(folder / "registry.damaged"), damage.keptAside ? damaged : SKept{});

        // Met while running, by LS or else at close. A store out of reach has no state to
        // restore and cannot be written.
        const std::vector<std::string> unreachable{
            "Error: Error: unable to open saved state on registry\nPossible reason: no state "
            "previously saved",
            "Severe Error: Error deleting a registry value"};
        healthy();
        run([&] { damage.make(store); });
        EXPECT_EQ(hooks.messages,
                  damage.keptAside ? std::vector{registryError} : std::vector{unreachable[1]});
        EXPECT_EQ(Look(folder / "registry.damaged.2"), damage.keptAside ? damaged : SKept{});
        healthy();
        run([&] {
            damage.make(store);
            auto& main = static_cast<TDataSelForm&>(*Application->MainForm());
            main.LSSpeedBtnClick(&main.LSSpeedBtn);
        });
        EXPECT_EQ(hooks.messages, damage.keptAside ? std::vector{registryError} : unreachable);
        EXPECT_EQ(Look(folder / "registry.damaged.3"), damage.keptAside ? damaged : SKept{});
    }
}
