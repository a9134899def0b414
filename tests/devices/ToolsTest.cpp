// The tools run as separate programs in the same Wine prefix: `dashwellctl devices` lists what the host
// would read and changes nothing; `devsim plug` writes what the device software would.
#include <gtest/gtest.h>

#include <windows.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "DeviceSandbox.h"
#include "devices/SwitchDevice.h"
#include "ui/WinString.h"

namespace {

struct ProgramResult {
    DWORD exitCode = 0;
    std::string output;
};

// The build hands over host paths; Wine shows the host's root as drive Z:.
WString WindowsPath(const std::string& hostPath) {
    WString path = u"Z:" + FromUtf8(hostPath);
    for (char16_t& c : path) {
        if (c == u'/') {
            c = u'\\';
        }
    }
    return path;
}

// The program's output goes to a file, not a pipe: Wine may start helper processes (the desktop) from the
// program, and they would inherit a pipe's write end and keep it open forever.
ProgramResult RunProgram(const std::string& hostPath, const std::vector<WString>& args) {
    wchar_t folder[MAX_PATH] = {};
    wchar_t outputPath[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, folder);
    GetTempFileNameW(folder, L"dw", 0, outputPath);
    SECURITY_ATTRIBUTES inherit = {sizeof inherit, nullptr, TRUE};
    HANDLE output =
        CreateFileW(outputPath, GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                    &inherit, CREATE_ALWAYS, FILE_ATTRIBUTE_TEMPORARY, nullptr);
    WString commandLine = u"\"" + WindowsPath(hostPath) + u"\"";
    for (const WString& arg : args) {
        commandLine += u" \"" + arg + u"\"";
    }
    STARTUPINFOW startup = {};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdOutput = output;
    startup.hStdError = output;
    startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
    PROCESS_INFORMATION process = {};
    const BOOL started = CreateProcessW(nullptr, WinBuf(commandLine.data()), nullptr, nullptr, TRUE, 0,
                                        nullptr, nullptr, &startup, &process);
    CloseHandle(output);
    ProgramResult result;
    EXPECT_TRUE(started) << ToUtf8(commandLine);
    if (started) {
        if (WaitForSingleObject(process.hProcess, 60000) != WAIT_OBJECT_0) {
            ADD_FAILURE() << "timed out: " << ToUtf8(commandLine);
            TerminateProcess(process.hProcess, 1);
        }
        GetExitCodeProcess(process.hProcess, &result.exitCode);
        CloseHandle(process.hProcess);
        CloseHandle(process.hThread);
        std::ifstream file(std::filesystem::path(outputPath), std::ios::binary);
        result.output.assign(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
    }
    DeleteFileW(outputPath);
    return result;
}

class Tools : public ::testing::Test {
protected:
    DeviceSandbox m_sandbox;
};

TEST_F(Tools, DevicesListsTheCatalogueAndWritesNothing) {
    m_sandbox.InstallDevice(u"X", {{u"Path", u"C:\\Devices\\X"}});
    m_sandbox.WriteConfig(u"X", "[Setting]\r\nPlug=1\r\nFWVersion=1.0\r\n");
    m_sandbox.InstallDevice(u"Y", {{u"Path", u"C:\\Devices\\Y"}});
    m_sandbox.WriteConfig(u"Y", "[Setting]\r\nPlug=0\r\n");
    m_sandbox.InstallDevice(u"Z");
    m_sandbox.WriteConfig(u"Z", "[Setting]\r\nPlug=4294967296\r\n");
    m_sandbox.SetUserValue(u"ExitDeviceName", StringBytes(u"Y"));
    m_sandbox.SetDevicePlug(u"Y", DwordBytes(1));
    m_sandbox.SetDevicePlug(u"Z", DwordBytes(7));
    const std::string before = SnapshotDeviceState();

    const ProgramResult result = RunProgram(DASHWELLCTL_PATH, {u"devices"});

    EXPECT_EQ(result.exitCode, 0u);
    EXPECT_EQ(result.output,
              "0\tX\tplug=1\tdeviceplug=0\tpath=C:\\Devices\\X\n"
              "1\tY\tplug=0\tdeviceplug=1\tpath=C:\\Devices\\Y\n"
              "2\tZ\tplug=2147483647\tdeviceplug=7\tpath=\n"
              "start=Z\n"
              "remembered=Y\n");
    EXPECT_EQ(SnapshotDeviceState(), before);
}

TEST_F(Tools, DevicesWithNothingInstalledOrPlugged) {
    m_sandbox.InstallPlugged(u"Only", 0);
    EXPECT_EQ(RunProgram(DASHWELLCTL_PATH, {u"devices"}).output,
              "0\tOnly\tplug=0\tdeviceplug=0\tpath=\nstart=\nremembered=\n");
    EXPECT_FALSE(m_sandbox.UserRootExists());

    DeviceSandbox empty;
    EXPECT_EQ(RunProgram(DASHWELLCTL_PATH, {u"devices"}).output, "start=\nremembered=\n");
    EXPECT_EQ(RunProgram(DASHWELLCTL_PATH, {u"devices", u"extra"}).exitCode, 64u);
}

TEST_F(Tools, DevsimPlugWritesConfigAndDevicePlug) {
    m_sandbox.InstallDevice(u"Pad");
    m_sandbox.WriteConfig(u"Pad", "[Setting]\r\nFWVersion=3.2\r\nPlug=0\r\n");
    struct Step {
        const char16_t* state;
        int32_t plug;
        uint32_t devicePlug;
    } steps[] = {{u"1", 1, 1}, {u"0", 0, 0}};
    for (const Step& step : steps) {
        ASSERT_EQ(RunProgram(DEVSIM_PATH, {u"plug", u"Pad", step.state}).exitCode, 0u);
        const CSwitchDevice catalogue(CatalogueMode::kReadOnly);
        const std::optional<TEMBRA_DEVICE_INFO> device = catalogue.GetDevice(0);
        ASSERT_TRUE(device);
        EXPECT_EQ(device->nPlug, step.plug) << ToUtf8(step.state);
        EXPECT_EQ(GetDeviceField(device->szFWVersion), u"3.2");
        EXPECT_EQ(catalogue.IsDevicePlugged(u"Pad"), step.devicePlug) << ToUtf8(step.state);
        EXPECT_EQ(m_sandbox.UserValue(u"ExitDeviceName"), std::nullopt);
    }
}

TEST_F(Tools, DevsimCreatesWhatIsMissing) {
    ASSERT_EQ(RunProgram(DEVSIM_PATH, {u"plug", u"New", u"1"}).exitCode, 0u);
    m_sandbox.InstallDevice(u"New");
    const CSwitchDevice catalogue(CatalogueMode::kReadOnly);
    const std::optional<TEMBRA_DEVICE_INFO> device = catalogue.GetDevice(0);
    ASSERT_TRUE(device);
    EXPECT_EQ(device->nPlug, 1);
    EXPECT_EQ(catalogue.IsDevicePlugged(u"New"), 1u);
}

TEST_F(Tools, DevsimRefusesBadArgumentsAndWritesNothing) {
    const std::vector<std::vector<WString>> bad = {
        {},
        {u"plug"},
        {u"plug", u"K"},
        {u"plug", u"K", u"2"},
        {u"plug", u"", u"1"},
        {u"plug", u"A\\B", u"1"},
        {u"plug", u"K", u"1", u"extra"},
        {u"unplug", u"K"},
    };
    const std::string before = SnapshotDeviceState();
    for (const std::vector<WString>& args : bad) {
        EXPECT_EQ(RunProgram(DEVSIM_PATH, args).exitCode, 64u) << (args.empty() ? "" : ToUtf8(args.back()));
    }
    EXPECT_EQ(SnapshotDeviceState(), before);
}

}  // namespace
