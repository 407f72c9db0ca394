#include "driver.h"

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <sstream>
#include <utility>

#include "resources/picture_scaling.h"
#include "resources/resources.h"

namespace driver {

Scale DisplayScale() {
    const char* dpi = std::getenv("TESTBED_DPI");
    return ScaleForDpi(dpi ? std::atoi(dpi) : 0);
}

HFONT CreateSettingsFont(int height) {
    return CreateFontW(-height, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, SHIFTJIS_CHARSET, OUT_STROKE_PRECIS,
                       CLIP_STROKE_PRECIS, DRAFT_QUALITY, FF_SWISS | DEFAULT_PITCH, L"ＭＳ Ｐゴシック");
}

std::string ModuleDirectory() {
    wchar_t path[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    const std::string text = Utf8(path);
    return text.substr(0, text.rfind('\\') + 1);
}

std::string BuiltScr() { return ModuleDirectory() + "pok_v3.scr"; }

static void RemoveTree(const std::wstring& folder) {
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW((folder + L"*").c_str(), &found);
    for (BOOL more = search != INVALID_HANDLE_VALUE; more; more = FindNextFileW(search, &found)) {
        const std::wstring name = found.cFileName, full = folder + name;
        if (name == L"." || name == L"..") continue;
        if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
            RemoveTree(full + L"\\");
        } else {
            SetFileAttributesW(full.c_str(), FILE_ATTRIBUTE_NORMAL);
            DeleteFileW(full.c_str());
        }
    }
    if (search != INVALID_HANDLE_VALUE) FindClose(search);
    RemoveDirectoryW(folder.c_str());
}

TempFolder::TempFolder(const std::string& name) {
    wchar_t temp[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, temp);
    const std::wstring base = std::wstring(temp) + L"pok_tests\\";
    CreateDirectoryW(base.c_str(), nullptr);
    path_ = Utf8(base) + std::to_string(GetCurrentProcessId()) + "_" + name + "\\";
    RemoveTree(Widen(path_));
    CreateDirectoryW(Widen(path_).c_str(), nullptr);
}

TempFolder::~TempFolder() { RemoveTree(Widen(path_)); }

std::string Quoted(const std::string& path) { return "\"" + path + "\""; }

std::string ShellQuoted(const std::string& word) {
    std::string quoted = "'";
    for (char c : word) quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return quoted + "'";
}

std::string ReadFile(const std::string& path) {
    std::ifstream file(Widen(path).c_str(), std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

void WriteFile(const std::string& path, const std::string& bytes) {
    std::ofstream(Widen(path).c_str(), std::ios::binary) << bytes;
}

bool FileExists(const std::string& path) { return GetFileAttributesW(Widen(path).c_str()) != INVALID_FILE_ATTRIBUTES; }

void CopyInto(const std::string& source, const std::string& target) {
    CopyFileW(Widen(source).c_str(), Widen(target).c_str(), FALSE);
}

Keys IniKeys(const std::string& bytes, const std::string& section) {
    Keys keys;
    std::istringstream lines(bytes);
    bool inSection = false;
    for (std::string line; std::getline(lines, line);) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        const size_t equals = line.find('=');
        if (!line.empty() && line.front() == '[')
            inSection = line == "[" + section + "]";
        else if (inSection && equals != std::string::npos)
            keys.emplace_back(line.substr(0, equals), line.substr(equals + 1));
    }
    return keys;
}

std::string SettingsFile(long long background, long long hiki, long long dx0, long long dy0, long long weight) {
    return "[settei]\r\nBgColor=" + std::to_string(background) + "\r\nhiki=" + std::to_string(hiki) +
           "\r\ndx0=" + std::to_string(dx0) + "\r\ndy0=" + std::to_string(dy0) + "\r\nweight=" +
           std::to_string(weight) + "\r\n";
}

HANDLE HoldOpen(const std::string& path) {
    return CreateFileW(Widen(path).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL,
                       nullptr);
}

Process::Process(Process&& other) noexcept { *this = std::move(other); }

Process& Process::operator=(Process&& other) noexcept {
    if (this != &other) {
        kill();
        handle_ = std::exchange(other.handle_, nullptr);
        id_ = std::exchange(other.id_, 0);
    }
    return *this;
}

Process::~Process() { kill(); }

bool Process::running() const { return handle_ && WaitForSingleObject(handle_, 0) == WAIT_TIMEOUT; }

HWND Process::window(const std::wstring& title, const std::wstring& className) const {
    return WaitWindow(id_, className, title, WindowAppears);
}

ExitReport Process::waitExit(DWORD timeoutMs) {
    ExitReport report = {false, 0, false};
    if (!handle_) return report;
    report.ended = WaitUntil(
        [&] {
            for (const WindowInfo& info : TopLevelWindows(id_)) report.showedWindow |= info.visible;
            return WaitForSingleObject(handle_, 0) == WAIT_OBJECT_0;
        },
        timeoutMs);
    if (report.ended) GetExitCodeProcess(handle_, &report.code);
    return report;
}

std::string ExitReport::problem(bool windowAllowed) const {
    if (!ended) return "still running";
    if (code != 0) return "ended with code " + std::to_string(code);
    return showedWindow && !windowAllowed ? "showed a window" : "";
}

void Process::kill() {
    if (!handle_) return;
    if (running()) {
        TerminateProcess(handle_, 255);
        WaitForSingleObject(handle_, 5000);
    }
    CloseHandle(std::exchange(handle_, nullptr));
}

std::string ThisDesktop() {
    wchar_t name[256] = {};
    DWORD length = 0;
    GetUserObjectInformationW(GetThreadDesktop(GetCurrentThreadId()), UOI_NAME, name, sizeof name, &length);
    return "WinSta0\\" + Utf8(name);
}

Process Launch(const std::string& application, const std::string& commandLine, STARTUPINFOW& startup,
               BOOL inheritHandles, DWORD flags) {
    Process process;
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info = {};
    std::wstring line = Widen(commandLine);  // CreateProcessW may write into it
    if (CreateProcessW(Widen(application).c_str(), &line[0], nullptr, nullptr, inheritHandles, flags, nullptr,
                       nullptr, &startup, &info)) {
        CloseHandle(info.hThread);
        process.handle_ = info.hProcess;
        process.id_ = info.dwProcessId;
    }
    return process;
}

Process Start(const std::string& application, const std::string& commandLine) {
    STARTUPINFOW startup = {};
    // Named, not inherited: under Wine a child left to inherit it now and
    // then lands on the prefix's hidden "Default" desktop, where its windows
    // are neither listed nor shown in ours.
    std::wstring desktop = Widen(ThisDesktop());
    startup.lpDesktop = &desktop[0];
    return Launch(application, commandLine, startup, FALSE, 0);
}

ScrCopy::ScrCopy(const std::string& folderName, const std::string& built, const std::string& copyName)
    : folder_(folderName), path_(folder_.file(copyName.empty() ? built : copyName)) {
    CopyInto(ModuleDirectory() + built, path_);
}

Process ScrCopy::start(const std::string& arguments) const {
    // The Escape key's "pressed since" bit is shared by the whole desktop:
    // read here, an earlier test's Escape cannot end this start's saver.
    GetAsyncKeyState(VK_ESCAPE);
    return Start(path_, Quoted(path_) + (arguments.empty() ? "" : " " + arguments));
}

Process Open(DWORD processId) {
    Process process;
    process.handle_ =
        OpenProcess(SYNCHRONIZE | PROCESS_QUERY_INFORMATION | PROCESS_VM_READ | PROCESS_TERMINATE, FALSE, processId);
    if (process.handle_) process.id_ = processId;
    return process;
}

testing::AssertionResult RunBegins(const Process& saver, COLORREF background, DWORD timeoutMs) {
    if (!saver.window(SaverTitle)) return testing::AssertionFailure() << "no saver window";
    if (WaitPixels(WholeScreen(), background, timeoutMs)) return testing::AssertionSuccess();
    return testing::AssertionFailure() << "the background never filled the screen";
}

// Wine's GDI handle table, which the process's PEB points to: one entry per
// handle, in use while its type is not zero.
struct WineGdiHandleEntry {
    std::uint64_t object;
    std::uint32_t owner;
    std::uint16_t unique;
    std::uint8_t type, flags;
    std::uint64_t userPointer;
};
static_assert(sizeof(WineGdiHandleEntry) == 24, "Wine's table layout");
constexpr size_t WineGdiHandleCount = 0x10000;
constexpr size_t PebGdiSharedHandleTable = sizeof(void*) == 8 ? 0xF8 : 0x94;

static long WineGdiObjectCount(HANDLE process) {
    using QueryProcess = LONG(WINAPI*)(HANDLE, int, void*, ULONG, ULONG*);
    auto query = reinterpret_cast<QueryProcess>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("ntdll.dll"), "NtQueryInformationProcess")));
    struct { LONG_PTR exitStatus; char* peb; ULONG_PTR affinity, priority, processId, parentId; } basic = {};
    void* table = nullptr;
    std::vector<WineGdiHandleEntry> entries(WineGdiHandleCount);
    if (!query || query(process, 0 /* ProcessBasicInformation */, &basic, sizeof basic, nullptr) != 0 ||
        !ReadProcessMemory(process, basic.peb + PebGdiSharedHandleTable, &table, sizeof table, nullptr) || !table ||
        !ReadProcessMemory(process, table, entries.data(), entries.size() * sizeof entries[0], nullptr))
        return -1;
    return static_cast<long>(
        std::count_if(entries.begin(), entries.end(), [](const WineGdiHandleEntry& e) { return e.type != 0; }));
}

long GdiObjectCount(HANDLE process) {
    // Wine answers GetGuiResources with 0, so there the table is read instead.
    if (GetProcAddress(GetModuleHandleA("ntdll.dll"), "wine_get_version")) return WineGdiObjectCount(process);
    const DWORD count = GetGuiResources(process, GR_GDIOBJECTS);
    return count ? static_cast<long>(count) : -1;
}

Captured RunCapture(const std::string& application, const std::string& commandLine, DWORD timeoutMs) {
    Captured result = {false, 0, {}};
    SECURITY_ATTRIBUTES inherit = {sizeof inherit, nullptr, TRUE};
    HANDLE readEnd = nullptr, writeEnd = nullptr;
    if (!CreatePipe(&readEnd, &writeEnd, &inherit, 0)) return result;
    SetHandleInformation(readEnd, HANDLE_FLAG_INHERIT, 0);

    STARTUPINFOW startup = {};
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdOutput = startup.hStdError = writeEnd;
    startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
    // Ended on destruction if it outlives the wait.
    const Process process = Launch(application, commandLine, startup, TRUE, CREATE_NO_WINDOW);
    CloseHandle(writeEnd);
    const auto drain = [&] {
        char buffer[4096];
        DWORD available = 0, got = 0;
        while (PeekNamedPipe(readEnd, nullptr, 0, nullptr, &available, nullptr) && available &&
               ::ReadFile(readEnd, buffer, sizeof buffer, &got, nullptr) && got)
            result.output.append(buffer, got);
    };
    const auto ended = [&] {
        drain();
        return WaitForSingleObject(process.handle(), 0) == WAIT_OBJECT_0;
    };
    result.ended = process.started() && WaitUntil(ended, timeoutMs);
    drain();  // what was written just before the end
    if (result.ended) GetExitCodeProcess(process.handle(), &result.code);
    CloseHandle(readEnd);
    return result;
}

HostJob StartHost(const std::string& shellCommand) {
    // Wine starts Linux programs but gives no handle to wait on, so the
    // command leaves its status in a file that we watch, in the scratch folder.
    static int serial = 0;
    const std::string marker =
        ScratchFile("host-" + std::to_string(GetCurrentProcessId()) + "-" + std::to_string(++serial));
    const std::string windowsMarker = WindowsPath(marker);
    DeleteFileA(windowsMarker.c_str());

    std::string escaped;
    for (char c : shellCommand) escaped += (c == '"' || c == '\\' ? "\\" : "") + std::string(1, c);
    std::string line = "Z:\\bin\\sh -c \"" + escaped + "; echo $? > " + marker + ".tmp; mv " + marker + ".tmp " +
                       marker + "\"";
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    // For a Unix program Wine reports success but leaves this untouched: its
    // handles are never ours to close. Closing such a leftover value once
    // closed this thread's desktop handle, and every later start landed on
    // the hidden "Default" desktop.
    PROCESS_INFORMATION info = {};
    if (!CreateProcessA(nullptr, &line[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &info)) return {};
    return {windowsMarker};
}

int WaitHost(const HostJob& job, DWORD timeoutMs) {
    if (job.marker.empty() || !WaitUntil([&] { return FileExists(job.marker); }, timeoutMs)) return -1;
    const std::string status = ReadFile(job.marker);
    DeleteFileA(job.marker.c_str());
    return std::atoi(status.c_str());
}

int RunHost(const std::string& shellCommand, DWORD timeoutMs) { return WaitHost(StartHost(shellCommand), timeoutMs); }

std::string WindowsPath(const std::string& hostPath) {
    std::string path = "Z:" + hostPath;
    std::replace(path.begin(), path.end(), '/', '\\');
    return path;
}

std::string ScratchFile(const std::string& name) {
    const char* scratch = std::getenv("TESTBED_SCRATCH");
    return std::string(scratch ? scratch : "/tmp") + "/" + name;
}

static bool Host(const std::string& command) { return RunHost(command, Reaction) == 0; }

static bool Warp(const std::string& x, const std::string& y) {
    const char* tools = std::getenv("TESTBED_TOOLS");
    return Host(ShellQuoted(std::string(tools ? tools : "") + "/xwarp") + " " + x + " " + y);
}

static std::string Signed(int v) { return (v >= 0 ? "+" : "") + std::to_string(v); }

bool XMovePointer(int x, int y) { return Warp(std::to_string(x), std::to_string(y)); }
bool XMovePointerBy(int dx, int dy) { return Warp(Signed(dx), Signed(dy)); }
bool XKey(const std::string& keysym) { return Host("xdotool key " + keysym); }
bool XClick(int button) { return Host("xdotool click " + std::to_string(button)); }
bool XButton(int button, bool down) {
    return Host(std::string("xdotool ") + (down ? "mousedown " : "mouseup ") + std::to_string(button));
}
bool XClickAt(int x, int y) { return XMovePointer(x, y) && XClick(1); }
bool XClickCentre(HWND window) {
    RECT rect = {};
    return GetWindowRect(window, &rect) && XClickAt((rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2);
}
bool XInput(const std::string& input) {
    return input.rfind("click:", 0) == 0 ? XClick(std::atoi(input.c_str() + 6)) : XKey(input);
}

WindowInfo Inspect(HWND window) {
    WindowInfo info;
    info.handle = window;
    if (!IsWindow(window)) return info;
    GetWindowThreadProcessId(window, &info.processId);
    wchar_t buffer[512] = {};
    GetClassNameW(window, buffer, 512);
    info.className = buffer;
    info.text.resize(static_cast<size_t>(GetWindowTextLengthW(window)) + 1);
    info.text.resize(static_cast<size_t>(GetWindowTextW(window, &info.text[0], static_cast<int>(info.text.size()))));
    GetWindowRect(window, &info.rect);
    GetClientRect(window, &info.clientRect);
    MapWindowPoints(window, nullptr, reinterpret_cast<POINT*>(&info.clientRect), 2);
    info.style = GetWindowLongW(window, GWL_STYLE);
    info.exStyle = GetWindowLongW(window, GWL_EXSTYLE);
    info.owner = GetWindow(window, GW_OWNER);
    info.parent = GetAncestor(window, GA_PARENT);
    info.id = static_cast<int>(GetWindowLongPtrW(window, GWLP_ID));
    info.visible = IsWindowVisible(window) != FALSE;
    info.zoomed = IsZoomed(window) != FALSE;
    return info;
}

struct WindowSearch {
    DWORD processId;
    std::vector<WindowInfo> found;
    std::string desktop;  // DesktopOf's: the first desktop that holds one
};

// Named CALLBACKs: a lambda converts only to a default-convention pointer,
// which on i686 is not the stdcall the system calls.
static BOOL CALLBACK CollectProcessWindow(HWND window, LPARAM context) {
    auto* search = reinterpret_cast<WindowSearch*>(context);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner == search->processId) search->found.push_back(Inspect(window));
    return TRUE;
}

static BOOL CALLBACK SearchDesktop(LPWSTR name, LPARAM context) {
    auto* search = reinterpret_cast<WindowSearch*>(context);
    HDESK desktop = OpenDesktopW(name, 0, FALSE, DESKTOP_READOBJECTS | DESKTOP_ENUMERATE);
    if (!desktop) return TRUE;
    EnumDesktopWindows(desktop, CollectProcessWindow, context);
    CloseDesktop(desktop);
    if (!search->found.empty()) search->desktop = Utf8(name);
    return search->found.empty();
}

std::vector<WindowInfo> TopLevelWindows(DWORD processId) {
    WindowSearch search = {processId, {}, ""};
    EnumWindows(CollectProcessWindow, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

std::vector<WindowInfo> Children(HWND window) {
    std::vector<WindowInfo> children;
    for (HWND child = GetWindow(window, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
        children.push_back(Inspect(child));
    return children;
}

std::string DesktopOf(DWORD processId) {
    WindowSearch search = {processId, {}, ""};
    EnumDesktopsW(GetProcessWindowStation(), SearchDesktop, reinterpret_cast<LPARAM>(&search));
    return search.desktop.empty() ? "no desktop" : "desktop " + search.desktop;
}

HWND WaitWindow(DWORD processId, const std::wstring& className, const std::wstring& title, DWORD timeoutMs) {
    HWND found = nullptr;
    WaitUntil(
        [&] {
            for (const WindowInfo& info : TopLevelWindows(processId))
                if (info.visible && (className.empty() || info.className == className) &&
                    (title.empty() || info.text == title))
                    return (found = info.handle) != nullptr;
            return false;
        },
        timeoutMs);
    return found;
}

bool WaitWindowGone(HWND window, DWORD timeoutMs) {
    return WaitUntil([&] { return !IsWindow(window); }, timeoutMs);
}

void PumpMessages() {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}

void PostClose(HWND window) { PostMessageW(window, WM_CLOSE, 0, 0); }

RECT RemoteRect(HWND window, UINT message, WPARAM wParam) {
    RECT rect = {};
    DWORD processId = 0;
    GetWindowThreadProcessId(window, &processId);
    HANDLE process = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, processId);
    if (!process) return rect;
    if (void* buffer = VirtualAllocEx(process, nullptr, sizeof rect, MEM_COMMIT, PAGE_READWRITE)) {
        SendMessageW(window, message, wParam, reinterpret_cast<LPARAM>(buffer));
        if (!ReadProcessMemory(process, buffer, &rect, sizeof rect, nullptr)) rect = {};
        VirtualFreeEx(process, buffer, 0, MEM_RELEASE);
    }
    CloseHandle(process);
    return rect;
}

HWND MakeWindow(const wchar_t* className, DWORD exStyle, DWORD style, const RECT& place, HWND parent,
                HBRUSH background, WNDPROC procedure) {
    WNDCLASSW windowClass = {};
    windowClass.lpfnWndProc = procedure;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.hbrBackground = background;
    windowClass.lpszClassName = className;
    RegisterClassW(&windowClass);  // fails harmlessly once the class is there
    return CreateWindowExW(exStyle, className, L"", style, place.left, place.top, place.right - place.left,
                           place.bottom - place.top, parent, nullptr, GetModuleHandleW(nullptr), nullptr);
}

HWND ShowCover(const RECT& area) {
    HWND cover = MakeWindow(L"PokCover", WS_EX_TOPMOST | WS_EX_NOACTIVATE, WS_POPUP, area, nullptr,
                            static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    ShowWindow(cover, SW_SHOWNOACTIVATE);
    return cover;
}

void ClickButton(HWND dialog, int controlId) {
    PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(controlId, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(dialog, controlId)));
}

DestroyWatch::DestroyWatch() {
    // The hook finds the listener by its class.
    listener_ = MakeWindow(L"PokDestroyWatch", 0, WS_POPUP, {}, nullptr, nullptr, Listen);
    SetWindowLongPtrW(listener_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    module_ = LoadLibraryW(Widen(ModuleDirectory() + "pok_watch.dll").c_str());
    const auto hookProc =
        reinterpret_cast<HOOKPROC>(reinterpret_cast<void (*)()>(GetProcAddress(module_, "DestroyWatchHook")));
    if (listener_ && hookProc) hook_ = SetWindowsHookExW(WH_CBT, hookProc, module_, 0);
}

DestroyWatch::~DestroyWatch() {
    if (hook_) UnhookWindowsHookEx(hook_);
    if (listener_) DestroyWindow(listener_);
    if (module_) FreeLibrary(module_);
}

std::optional<bool> DestroyWatch::ownerEnabledAtDestroy(HWND window) const {
    const auto found = seen_.find(window);
    return found == seen_.end() ? std::nullopt : std::optional<bool>(found->second);
}

LRESULT CALLBACK DestroyWatch::Listen(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message != WM_APP) return DefWindowProcW(window, message, wParam, lParam);
    if (auto* watch = reinterpret_cast<DestroyWatch*>(GetWindowLongPtrW(window, GWLP_USERDATA)))
        watch->seen_[reinterpret_cast<HWND>(wParam)] = lParam != 0;
    return 0;
}

bool DeliverDpiChanged(HWND window, int dpi, const RECT& suggested) {
    struct { RECT suggested; LONG handled; } change = {suggested, 0};  // as the hook reads and writes it
    DWORD processId = 0;
    const DWORD thread = GetWindowThreadProcessId(window, &processId);
    HANDLE process = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, processId);
    if (!process) return false;
    HMODULE module = LoadLibraryW(Widen(ModuleDirectory() + "pok_watch.dll").c_str());
    const auto hookProc = reinterpret_cast<HOOKPROC>(
        reinterpret_cast<void (*)()>(GetProcAddress(module, "DpiChangeHook")));
    void* remote = VirtualAllocEx(process, nullptr, sizeof change, MEM_COMMIT, PAGE_READWRITE);
    HHOOK hook = nullptr;
    bool handled = false;
    if (hookProc && remote && WriteProcessMemory(process, remote, &change, sizeof change, nullptr) &&
        (hook = SetWindowsHookExW(WH_GETMESSAGE, hookProc, module, thread)) &&
        PostMessageW(window, RegisterWindowMessageW(L"PokDpiChanged"), static_cast<WPARAM>(dpi),
                     reinterpret_cast<LPARAM>(remote)))
        handled = WaitUntil(
            [&] {
                return ReadProcessMemory(process, remote, &change, sizeof change, nullptr) && change.handled;
            },
            Reaction);
    if (hook) UnhookWindowsHookEx(hook);
    // Left to the process when the hook may still come to it.
    if (remote && handled) VirtualFreeEx(process, remote, 0, MEM_RELEASE);
    if (module) FreeLibrary(module);
    CloseHandle(process);
    return handled;
}

BITMAPINFO TopDown32(int width, int height) {
    return {{sizeof(BITMAPINFOHEADER), width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0}, {}};  // -height: top-down
}

RECT WholeScreen() { return {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)}; }

Pixels Painted(int width, int height, const std::function<void(HDC)>& draw) {
    Pixels pixels{0, 0, width, height, {}};
    if (width <= 0 || height <= 0) return pixels;
    HDC memory = CreateCompatibleDC(nullptr);
    BITMAPINFO format = TopDown32(width, height);
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(memory, &format, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = SelectObject(memory, bitmap);
    draw(memory);
    GdiFlush();
    const auto* quads = static_cast<const RGBQUAD*>(bits);
    for (size_t i = 0; bits && i < size_t(width) * size_t(height); ++i)
        pixels.data.push_back(RGB(quads[i].rgbRed, quads[i].rgbGreen, quads[i].rgbBlue));
    SelectObject(memory, old);
    DeleteObject(bitmap);
    DeleteDC(memory);
    return pixels;
}

Pixels GrabScreen(const RECT& area) {
    Pixels pixels = Painted(area.right - area.left, area.bottom - area.top, [&](HDC memory) {
        HDC screen = GetDC(nullptr);
        BitBlt(memory, 0, 0, area.right - area.left, area.bottom - area.top, screen, area.left, area.top, SRCCOPY);
        ReleaseDC(nullptr, screen);
    });
    pixels.left = area.left;
    pixels.top = area.top;
    return pixels;
}

bool WaitPixels(const RECT& area, COLORREF colour, DWORD timeoutMs) {
    return WaitUntil(
        [&] {
            const Pixels shown = GrabScreen(area);
            return !shown.data.empty() &&
                   std::all_of(shown.data.begin(), shown.data.end(), [&](COLORREF c) { return c == colour; });
        },
        timeoutMs);
}

std::string Differences(const Pixels& seen, const Pixels& expected) {
    if (seen.width != expected.width || seen.height != expected.height)
        return "a " + std::to_string(seen.width) + " x " + std::to_string(seen.height) + " area, not " +
               std::to_string(expected.width) + " x " + std::to_string(expected.height);
    size_t count = 0, first = 0;
    for (size_t i = seen.data.size(); i-- > 0;)
        if (seen.data[i] != expected.data[i]) ++count, first = i;
    if (!count) return "";
    char text[128];
    wsprintfA(text, " pixels differ, first at (%d, %d): %06lX where %06lX was expected",
              seen.left + int(first) % seen.width, seen.top + int(first) / seen.width,
              static_cast<unsigned long>(seen.data[first]), static_cast<unsigned long>(expected.data[first]));
    return std::to_string(count) + text;
}

Pixels ResourceBitmap(const std::string& module, int id) {
    Pixels pixels;
    HMODULE file = LoadLibraryExW(Widen(module).c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    if (!file) return pixels;
    auto bitmap = static_cast<HBITMAP>(LoadImageA(file, MAKEINTRESOURCEA(id), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
    BITMAP info = {};
    if (bitmap && GetObjectW(bitmap, sizeof info, &info))
        pixels = Painted(info.bmWidth, info.bmHeight, [&](HDC dc) {
            HDC source = CreateCompatibleDC(dc);
            HGDIOBJ old = SelectObject(source, bitmap);
            BitBlt(dc, 0, 0, info.bmWidth, info.bmHeight, source, 0, 0, SRCCOPY);
            SelectObject(source, old);
            DeleteDC(source);
        });
    if (bitmap) DeleteObject(bitmap);
    FreeLibrary(file);
    return pixels;
}

static PictureKind KindOf(int id) {
    return id == SpriteSheetId ? PictureKind::SpriteSheet
         : id == TitleCardId   ? PictureKind::TitleCard
                               : PictureKind::PreviewPicture;
}

// The top-left width x height of a picture.
static Pixels Cropped(const Pixels& whole, int width, int height) {
    Pixels part{0, 0, width, height, {}};
    for (int y = 0; y < height && width <= whole.width && height <= whole.height; ++y)
        for (int x = 0; x < width; ++x) part.data.push_back(whole.at(x, y));
    if (part.data.empty()) part.width = part.height = 0;
    return part;
}

Pixels PictureAt(const std::string& module, int id, int width, int height) {
    const bool sheet = id == SpriteSheetId;
    const PictureSize design = DesignSize(KindOf(id));
    // The smallest drawing at least as large, else the largest.
    int k = 1;
    while (k < EmbeddedScales && (width > k * design.width || height > k * design.height)) ++k;
    Pixels drawing = ResourceBitmap(module, id + (k - 1) * ScaledPictureStep);
    // The one-times sheet is a whole sheet: its colour column's top half.
    if (sheet && k == 1) drawing = Cropped(drawing, design.width, 3 * design.height);
    if (width == k * design.width && height == k * design.height) return drawing;

    ::Picture source(drawing.width, drawing.height);
    for (size_t i = 0; i < drawing.data.size(); ++i) {
        const COLORREF c = drawing.data[i];
        source.pixels[i] = uint32_t(GetRValue(c)) << 16 | uint32_t(GetGValue(c)) << 8 | GetBValue(c);
    }
    const ::Picture made = sheet ? BuildSpriteSheet(source, {width, height}) : Reduce(source, {width, height});
    Pixels pixels{0, 0, made.width, made.height, {}};
    for (uint32_t c : made.pixels) pixels.data.push_back(RGB(c >> 16 & 0xFF, c >> 8 & 0xFF, c & 0xFF));
    return sheet ? Cropped(pixels, width, 3 * height) : pixels;
}

testing::AssertionResult PictureShown(const std::string& module, int id, Pixels& picture, int width, int height) {
    if (!width) {
        const PictureSize design = DesignSize(KindOf(id));
        width = DisplayScale()(design.width);
        height = DisplayScale()(design.height);
    }
    picture = PictureAt(module, id, width, height);
    if (picture.width == width && picture.height == height * (id == SpriteSheetId ? 3 : 1))
        return testing::AssertionSuccess();
    return testing::AssertionFailure() << "picture " << id << " at " << width << " x " << height
                                       << " cannot be made from the bitmaps of " << module;
}

testing::AssertionResult NotEnlarged(const RECT& area) {
    if (DisplayScale().dpi != 192) return testing::AssertionSuccess();
    // The share of 2 x 2 blocks, counted from the area's corner, that hold
    // more than one colour: none where 96-dpi pixels were repeated.
    const Pixels pixels = GrabScreen(area);
    int blocks = 0, mixed = 0;
    for (int y = area.top; y + 1 < area.bottom; y += 2)
        for (int x = area.left; x + 1 < area.right; x += 2, ++blocks) {
            const COLORREF c = pixels.at(x, y);
            mixed += c != pixels.at(x + 1, y) || c != pixels.at(x, y + 1) || c != pixels.at(x + 1, y + 1);
        }
    if (20 * mixed > blocks) return testing::AssertionSuccess();
    return testing::AssertionFailure() << mixed << " of " << blocks
                                       << " 2 x 2 blocks hold more than one colour: enlarged, not drawn at 192 dpi";
}

std::wstring Widen(const std::string& text, UINT codePage) {
    const int length = MultiByteToWideChar(codePage, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring wide(static_cast<size_t>(length), L'\0');
    MultiByteToWideChar(codePage, 0, text.data(), static_cast<int>(text.size()), &wide[0], length);
    return wide;
}

std::string Encode(const std::wstring& text, UINT codePage) {
    const int length =
        WideCharToMultiByte(codePage, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
    std::string bytes(static_cast<size_t>(length), '\0');
    WideCharToMultiByte(codePage, 0, text.data(), static_cast<int>(text.size()), &bytes[0], length, nullptr, nullptr);
    return bytes;
}

}  // namespace driver
