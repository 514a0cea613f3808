// Operates the real Vantrel.exe from outside, as a user and an accessibility tool would: starts
// it, finds its window, checks the title, place, frame and every designed control, clicks the
// switch, checks the marker file on disk, closes the window and checks the exit code.
//
//   e2e_driver PROGRAM SCREEN_W SCREEN_H CLICKS REPORT [--pause READY RESUME] [--expect NAME=TEXT]...
//
// Each check writes "ok - ..." or "not ok - ..." to REPORT. With --pause the driver creates READY
// once the window is checked and waits for RESUME (a screenshot is taken meanwhile). --expect
// names a control whose text at start-up is not the designed one (what the detection wrote).
#include <windows.h>
#include <shlobj.h>

#include <cstdio>
#include <string>
#include <vector>

namespace {
FILE* report = nullptr;
int failures = 0;

std::string utf8(const std::wstring& text) {
    if (text.empty()) return std::string();
    const int length = WideCharToMultiByte(CP_UTF8, 0, text.data(), int(text.size()), nullptr, 0,
                                           nullptr, nullptr);
    std::string result(std::size_t(length), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.data(), int(text.size()), result.data(), length, nullptr,
                        nullptr);
    return result;
}

void check(bool passed, const std::string& what, const std::string& detail = "") {
    if (!passed) ++failures;
    std::fprintf(report, "%s - %s%s%s\n", passed ? "ok" : "not ok", what.c_str(),
                 detail.empty() ? "" : ": ", detail.c_str());
    std::fflush(report);
}

template <typename T>
void checkEqual(const T& got, const T& expected, const std::string& what) {
    check(got == expected, what, got == expected ? "" : "got " + std::to_string(got) +
                                                          ", expected " + std::to_string(expected));
}

void checkText(const std::wstring& got, const std::wstring& expected, const std::string& what) {
    check(got == expected, what,
          got == expected ? "" : "got \"" + utf8(got) + "\", expected \"" + utf8(expected) + "\"");
}

std::wstring textOf(HWND window) {
    wchar_t buffer[512] = {};
    DWORD_PTR copied = 0;
    SendMessageTimeoutW(window, WM_GETTEXT, 512, reinterpret_cast<LPARAM>(buffer), SMTO_BLOCK,
                        30000, &copied);
    return std::wstring(buffer, copied);
}

std::wstring className(HWND window) {
    wchar_t buffer[64] = {};
    GetClassNameW(window, buffer, 64);
    return buffer;
}

struct Search {
    DWORD process;
    HWND found;
};

BOOL CALLBACK findTopWindow(HWND window, LPARAM parameter) {
    auto* search = reinterpret_cast<Search*>(parameter);
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    if (process == search->process && IsWindowVisible(window)) {
        search->found = window;
        return FALSE;
    }
    return TRUE;
}

HWND waitForWindow(DWORD process, DWORD milliseconds) {
    for (DWORD waited = 0; waited < milliseconds; waited += 200) {
        Search search = {process, nullptr};
        EnumWindows(findTopWindow, reinterpret_cast<LPARAM>(&search));
        if (search.found) return search.found;
        Sleep(200);
    }
    return nullptr;
}

BOOL CALLBACK countChild(HWND, LPARAM count) {
    ++*reinterpret_cast<int*>(count);
    return TRUE;
}

// The main window as designed: place relative to the client area (group box members already
// offset by their box), designed text, visibility.
struct Expected {
    int id;
    const char* name;
    const wchar_t* windowClass;
    int left, top, width, height;
    const wchar_t* text;
    bool visible;
};

const Expected kControls[] = {
    {1001, "分组框1", L"Button", 7, 9, 249, 111, L"Morwick提示", true},
    {1002, "标签1", L"Static", 12, 29, 239, 83,
     L"本工具由Morwick制作，业余作品。版本1.2修复AE 2019切换失败的bug，如果你的电脑上同时安装了2个版本以上，"
     L"仅显示最高版本的语言，但切换是所有版本的切换。支持CC2014-CC2019",
     true},
    {1003, "版本号", L"Static", 9, 128, 56, 24, L"1.2", true},
    {1004, "标签20", L"Static", 85, 127, 56, 24, L"当前语言：", true},
    {1005, "当前语言", L"Static", 140, 127, 56, 24, L"", true},
    {1006, "切换_按钮", L"Button", 7, 160, 249, 38, L"一键切换AE中英文", true},
    {1007, "AE2014语言", L"Static", 479, 20, 56, 24, L"", false},
    {1008, "AE2015语言", L"Static", 479, 43, 56, 24, L"", false},
    {1009, "AE2016语言", L"Static", 479, 66, 56, 24, L"", false},
    {1010, "AE2017语言", L"Static", 479, 89, 56, 24, L"", false},
    {1011, "AE2018语言", L"Static", 479, 112, 56, 24, L"", false},
    {1012, "AE2019语言", L"Static", 479, 135, 56, 24, L"", false},
    {1013, "编辑框19", L"Edit", 487, 402, 488, 24, L"", false},
    {1014, "分组框2", L"Button", 577, 238, 260, 38, L"", false},
    {1015, "超级链接框1", L"Static", 579, 245, 255, 29, L"更多功能尚未添加 留下意见", false},
    {1016, "切换_按钮1", L"Button", 576, 145, 260, 28, L"一键断网", false},
    {1017, "切换_按钮2", L"Button", 576, 176, 260, 28, L"一键连接网络", false},
    {1018, "切换_按钮3", L"Button", 576, 207, 260, 28, L"开启/关闭 Windows Defender", false},
    {1019, "编辑框13", L"Edit", 576, 88, 288, 32, L"", false},
    {1020, "编辑框14", L"Edit", 487, 287, 488, 24, L"", false},
    {1021, "编辑框15", L"Edit", 487, 310, 488, 24, L"", false},
    {1022, "编辑框16", L"Edit", 487, 333, 488, 24, L"", false},
    {1023, "编辑框17", L"Edit", 487, 356, 488, 24, L"", false},
    {1024, "编辑框18", L"Edit", 487, 379, 488, 24, L"", false},
    {1025, "编辑框20", L"Edit", 487, 425, 488, 24, L"", false},
    {1026, "标签300", L"Static", 424, 20, 56, 24, L"CC2014：", false},
    {1027, "标签301", L"Static", 424, 43, 56, 24, L"CC2015：", false},
    {1028, "标签302", L"Static", 424, 66, 56, 24, L"CC2015.3：", false},
    {1029, "标签303", L"Static", 424, 89, 56, 24, L"CC2017：", false},
    {1030, "标签304", L"Static", 424, 112, 56, 24, L"CC2018：", false},
    {1031, "标签305", L"Static", 424, 135, 56, 24, L"CC2019：", false},
    {1032, "标签9", L"Static", 424, 158, 56, 24, L"2020：", false},
    {1033, "标签AE20", L"Static", 479, 158, 56, 24, L"", false},
    {1034, "标签5", L"Static", 424, 287, 64, 24, L"2014", false},
    {1035, "标签6", L"Static", 424, 310, 64, 24, L"2015", false},
    {1036, "标签7", L"Static", 424, 333, 64, 24, L"2016", false},
    {1037, "标签8", L"Static", 424, 356, 64, 24, L"2017", false},
    {1038, "标签3", L"Static", 424, 379, 64, 24, L"2018", false},
    {1039, "标签4", L"Static", 424, 402, 64, 24, L"2019", false},
    {1040, "标签11", L"Static", 424, 425, 64, 24, L"2020", false},
    {1041, "标签21", L"Static", 574, 0, 56, 25, L"当前版本：", false},
    {1042, "当前版本标签", L"Static", 629, 0, 50, 25, L"1.0", false},
    {1043, "当前版本时间标签1", L"Static", 678, 0, 32, 25, L"推送：", false},
    {1044, "当前版本时间标签", L"Static", 709, 0, 65, 25, L"2019-02-19", false},
    {1045, "当前版本时间标签3", L"Static", 773, 0, 32, 25, L"类型：", false},
    {1046, "类型", L"Static", 804, 0, 74, 25, L"", false},
    {1047, "标签22", L"Static", 574, 24, 56, 25, L"最新版本：", false},
    {1048, "最新版本标签", L"Static", 629, 24, 50, 25, L"", false},
    {1049, "当前版本时间标签2", L"Static", 678, 24, 32, 25, L"推送：", false},
    {1050, "最新版本时间标签", L"Static", 709, 24, 65, 25, L"", false},
    {1051, "当前版本时间标签4", L"Static", 773, 24, 32, 25, L"次数：", false},
    {1052, "次数", L"Static", 804, 24, 74, 25, L"", false},
    {1053, "最新版下载地址标签", L"Static", 574, 48, 304, 25, L"", false},
};

std::vector<std::pair<std::string, std::wstring>> expectedTexts;

const wchar_t* expectedText(const Expected& control) {
    for (const auto& [name, text] : expectedTexts) {
        if (name == control.name) return text.c_str();
    }
    return control.text;
}

void checkWindow(HWND window, int screenWidth, int screenHeight) {
    checkText(textOf(window), L"Vantrel v1.2", "title");
    checkEqual(GetSystemMetrics(SM_CXSCREEN), screenWidth, "primary screen width");
    checkEqual(GetSystemMetrics(SM_CYSCREEN), screenHeight, "primary screen height");
    RECT rect;
    GetWindowRect(window, &rect);
    // 50 pixels left of and 100 above the centred place, truncated toward zero.
    checkEqual(int(rect.left), int((screenWidth - 269 - 100) / 2.0), "window left");
    checkEqual(int(rect.top), int((screenHeight - 236 - 200) / 2.0), "window top");
    checkEqual(int(rect.right - rect.left), 269, "window width");
    checkEqual(int(rect.bottom - rect.top), 236, "window height");

    const LONG style = GetWindowLongW(window, GWL_STYLE);
    check((style & WS_CAPTION) == WS_CAPTION && (style & WS_SYSMENU), "title bar and system menu");
    check(!(style & WS_THICKFRAME), "fixed border");
    check(!(style & WS_MINIMIZEBOX) && !(style & WS_MAXIMIZEBOX), "no minimise or maximise box");

    int children = 0;
    EnumChildWindows(window, countChild, reinterpret_cast<LPARAM>(&children));
    checkEqual(children, int(sizeof kControls / sizeof kControls[0]), "number of controls");

    for (const Expected& control : kControls) {
        const std::string name = control.name;
        HWND child = GetDlgItem(window, control.id);
        check(child != nullptr, name + " exists");
        if (!child) continue;
        checkText(className(child), control.windowClass, name + " class");
        checkText(textOf(child), expectedText(control), name + " text");
        RECT place;
        GetWindowRect(child, &place);
        MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&place), 2);
        const bool placed = place.left == control.left && place.top == control.top &&
                            place.right - place.left == control.width &&
                            place.bottom - place.top == control.height;
        check(placed, name + " place",
              placed ? "" : std::to_string(place.left) + "," + std::to_string(place.top) + " " +
                                std::to_string(place.right - place.left) + "x" +
                                std::to_string(place.bottom - place.top));
        const bool visible = (GetWindowLongW(child, GWL_STYLE) & WS_VISIBLE) != 0;
        check(visible == control.visible, name + (control.visible ? " visible" : " hidden"));
    }
}

std::wstring markerPath() {
    wchar_t documents[MAX_PATH] = {};
    SHGetSpecialFolderPathW(nullptr, documents, CSIDL_PERSONAL, FALSE);
    return std::wstring(documents) + L"\\ae_force_english.txt";
}

// -1 when there is no marker, else its size.
long long markerSize() {
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExW(markerPath().c_str(), GetFileExInfoStandard, &data)) return -1;
    return (static_cast<long long>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
}

void clickSwitch(HWND window, int clicks) {
    HWND button = GetDlgItem(window, 1006), language = GetDlgItem(window, 1005);
    for (int click = 1; click <= clicks; ++click) {
        const std::string what = "click " + std::to_string(click);
        const bool markerBefore = markerSize() >= 0;
        DWORD_PTR result = 0;
        SendMessageTimeoutW(button, BM_CLICK, 0, 0, SMTO_BLOCK, 30000, &result);
        const long long size = markerSize();
        if (markerBefore) {
            checkEqual(size, -1LL, what + " removed the marker");
            checkText(textOf(language), L"中文", what + " shows Chinese");
        } else {
            checkEqual(size, 0LL, what + " made an empty marker");
            checkText(textOf(language), L"英文", what + " shows English");
        }
    }
}

bool fileExists(const wchar_t* path) { return GetFileAttributesW(path) != INVALID_FILE_ATTRIBUTES; }
}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc < 6) {
        std::fprintf(stderr, "usage: e2e_driver PROGRAM SCREEN_W SCREEN_H CLICKS REPORT "
                             "[--pause READY RESUME] [--expect NAME=TEXT]...\n");
        return 2;
    }
    report = _wfopen(argv[5], L"w");
    if (!report) return 2;
    const int screenWidth = _wtoi(argv[2]), screenHeight = _wtoi(argv[3]), clicks = _wtoi(argv[4]);
    const wchar_t* ready = nullptr;
    const wchar_t* resume = nullptr;
    for (int i = 6; i < argc; ++i) {
        const std::wstring option = argv[i];
        if (option == L"--pause" && i + 2 < argc) {
            ready = argv[++i];
            resume = argv[++i];
        } else if (option == L"--expect" && i + 1 < argc) {
            const std::wstring pair = argv[++i];
            const std::size_t equals = pair.find(L'=');
            expectedTexts.push_back({utf8(pair.substr(0, equals)),
                                     equals == std::wstring::npos ? L"" : pair.substr(equals + 1)});
        }
    }

    STARTUPINFOW startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    std::wstring command = L"\"" + std::wstring(argv[1]) + L"\"";
    const bool started = CreateProcessW(argv[1], command.data(), nullptr, nullptr, FALSE, 0,
                                        nullptr, nullptr, &startup, &process);
    check(started, "program started");
    if (!started) return 1;

    // Under emulation a start can take a minute or more.
    HWND window = waitForWindow(process.dwProcessId, 300000);
    check(window != nullptr, "main window shown");
    if (window) {
        checkWindow(window, screenWidth, screenHeight);
        if (ready) {
            CloseHandle(CreateFileW(ready, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
            for (int waited = 0; waited < 120000 && !fileExists(resume); waited += 200) Sleep(200);
        }
        clickSwitch(window, clicks);
        PostMessageW(window, WM_CLOSE, 0, 0);
    }
    const bool ended = WaitForSingleObject(process.hProcess, 120000) == WAIT_OBJECT_0;
    check(ended, "program ended after its window closed");
    DWORD exitCode = 1;
    GetExitCodeProcess(process.hProcess, &exitCode);
    checkEqual(static_cast<long long>(exitCode), 0LL, "exit code");
    if (!ended) TerminateProcess(process.hProcess, 1);
    std::fprintf(report, "driver: %d failed\n", failures);
    std::fclose(report);
    return failures == 0 ? 0 : 1;
}
