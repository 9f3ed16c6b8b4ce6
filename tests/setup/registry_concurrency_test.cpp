// The store under two writing processes and under a writer killed in the middle of its work.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <thread>

#include "core/identity.h"
#include "setup/registry.h"
#include "support/temp_dir.h"

namespace zav {
namespace {

constexpr int kValuesPerWriter = 150;

// In a child process: writes kValuesPerWriter values "<i>" named "V<i>" under `section`, then exits
// with 0 when every write succeeded.
pid_t SpawnWriter(const std::filesystem::path& file, const std::string& section, bool forever) {
    const pid_t pid = ::fork();
    if (pid != 0) return pid;
    int failures = 0;
    {
        RegistryStore store(file);
        clsRegistry reg(store);
        for (int i = 0; forever || i < kValuesPerWriter; ++i) {
            const std::string n = std::to_string(i);
            if (!reg.SaveValue(n, {kLocalMachine, kSettingsKey, section, "V" + n})) ++failures;
        }
    }
    ::_exit(failures == 0 ? 0 : 1);
}

TEST(RegistryConcurrency, TwoWritersAtOnceLoseNothing) {
    test::TempDir dir;
    const auto file = dir / "registry.sqlite3";
    { RegistryStore create(file); }
    const pid_t a = SpawnWriter(file, "WriterA", false);
    const pid_t b = SpawnWriter(file, "WriterB", false);
    int status = 0;
    ASSERT_EQ(::waitpid(a, &status, 0), a);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    ASSERT_EQ(::waitpid(b, &status, 0), b);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);

    RegistryStore store(file);
    clsRegistry reg(store);
    for (const char* section : {"WriterA", "WriterB"}) {
        const auto names = reg.GetValues({kLocalMachine, kSettingsKey, section});
        ASSERT_EQ(names.size(), static_cast<std::size_t>(kValuesPerWriter)) << section;
        for (int i = 0; i < kValuesPerWriter; ++i) EXPECT_EQ(names[i], "V" + std::to_string(i));
    }
}

TEST(RegistryConcurrency, KilledWriterLeavesTheLastCommittedValues) {
    test::TempDir dir;
    const auto file = dir / "registry.sqlite3";
    {
        RegistryStore store(file);
        ASSERT_TRUE(clsRegistry(store).SaveValue("kept", {kLocalMachine, kSettingsKey, "Before", "Value"}));
    }
    const pid_t writer = SpawnWriter(file, "Killed", true);
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    ::kill(writer, SIGKILL);
    int status = 0;
    ::waitpid(writer, &status, 0);
    ASSERT_TRUE(WIFSIGNALED(status));

    RegistryStore store(file);
    clsRegistry reg(store);
    EXPECT_EQ(reg.GetValue({kLocalMachine, kSettingsKey, "Before", "Value"}), RegValue(std::string("kept")));
    // Every value the writer committed is whole and in order: V0 .. Vn without gaps.
    const auto names = reg.GetValues({kLocalMachine, kSettingsKey, "Killed"});
    EXPECT_FALSE(names.empty());
    for (std::size_t i = 0; i < names.size(); ++i) {
        ASSERT_EQ(names[i], "V" + std::to_string(i));
        EXPECT_EQ(reg.GetValue({kLocalMachine, kSettingsKey, "Killed", names[i]}), RegValue(std::to_string(i)));
    }
    // And the store still takes writes.
    EXPECT_TRUE(reg.SaveValue("after", {kLocalMachine, kSettingsKey, "After", "Value"}));
}

}  // namespace
}  // namespace zav
