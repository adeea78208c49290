// Stop requests and the error box on Windows. Ctrl+C, closing the console, logging off and shutting
// down are noted as a stop request, as SIGTERM is elsewhere, and the game closes with a save; the
// error box runs on a thread of its own, so a stop request can close it.
#include "platform/platform.h"
#include "platform/windows/utf16.h"

#include <SDL.h>
#include <fcntl.h>
#include <io.h>
#include <windows.h>

#include <atomic>
#include <cstdio>

namespace zen {

namespace {

// Set from the system's console thread or the window's message hook: the process's, not a game's.
std::atomic<bool> stop_flag{false};

BOOL WINAPI note_console_event(DWORD event)
{
    stop_flag = true;
    switch (event) {
    case CTRL_CLOSE_EVENT:
    case CTRL_LOGOFF_EVENT:
    case CTRL_SHUTDOWN_EVENT:
        // Windows ends the process as soon as this returns: wait here while the game saves and
        // ends itself (its ending ends this wait too). Windows allows a few seconds at most.
        Sleep(20000);
        return TRUE;
    default: return TRUE; // Ctrl+C, Ctrl+Break: the game closes by itself
    }
}

// Logging off or shutting down, as the window hears it.
void note_window_message(void*, void*, unsigned int message, Uint64 w_param, Sint64)
{
    if (message == WM_QUERYENDSESSION || (message == WM_ENDSESSION && w_param)) stop_flag = true;
}

struct ErrorBox {
    std::wstring title;
    std::wstring text;
};

DWORD WINAPI show_box(LPVOID param)
{
    const auto* box = static_cast<const ErrorBox*>(param);
    MessageBoxW(nullptr, box->text.c_str(), box->title.c_str(), MB_OK | MB_ICONERROR | MB_SETFOREGROUND);
    return 0;
}

BOOL CALLBACK close_window(HWND window, LPARAM)
{
    PostMessageW(window, WM_CLOSE, 0, 0);
    return TRUE;
}

} // namespace

void show_error_box(const std::string& title, const std::string& message)
{
    if (stop_requested()) return;
    // Held until the box's thread is done with it; left behind (the process is ending) when the
    // box does not go.
    auto* box = new ErrorBox{windows::utf16_of(title), windows::utf16_of(message)};
    DWORD thread_id = 0;
    HANDLE thread = CreateThread(nullptr, 0, show_box, box, 0, &thread_id);
    if (!thread) {
        show_box(box);
        delete box;
        return;
    }
    bool done = false;
    while (!done) {
        if (WaitForSingleObject(thread, 20) != WAIT_TIMEOUT) {
            done = true;
        } else if (stop_requested()) {
            EnumThreadWindows(thread_id, close_window, 0);
            done = WaitForSingleObject(thread, 1000) != WAIT_TIMEOUT;
            if (!done) {
                CloseHandle(thread);
                return;
            }
        }
    }
    CloseHandle(thread);
    delete box;
}

void catch_stop_signals()
{
    SetConsoleCtrlHandler(note_console_event, TRUE);
    SDL_SetWindowsMessageHook(note_window_message, nullptr);
}

bool stop_requested() { return stop_flag; }

void connect_standard_streams()
{
    // A game started from a console (it is a windowed program, so it has none of its own) writes
    // its messages and --trace to that console; streams redirected to a file or a pipe stay so.
    const auto unset = [](DWORD which) {
        HANDLE h = GetStdHandle(which);
        return h == nullptr || h == INVALID_HANDLE_VALUE;
    };
    const bool no_out = unset(STD_OUTPUT_HANDLE);
    const bool no_err = unset(STD_ERROR_HANDLE);
    if ((no_out || no_err) && AttachConsole(ATTACH_PARENT_PROCESS)) {
        if (no_out) std::freopen("CONOUT$", "w", stdout);
        if (no_err) std::freopen("CONOUT$", "w", stderr);
    }
    // Lines end in "\n" alone, as on every system: a trace is the same bytes everywhere.
    _setmode(_fileno(stdout), _O_BINARY);
    _setmode(_fileno(stderr), _O_BINARY);
}

} // namespace zen
