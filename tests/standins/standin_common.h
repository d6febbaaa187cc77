// Shared pieces of the stand-ins for outside programs: a log of what each
// receives (the raw command line, messages, commands), options given as
// "--name=value" words, the clipboard, and the message loop.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace standin {

// Appends one UTF-8 line to the log: %PATHORAMA_STANDIN_LOG% when set,
// else the program's path plus ".log". Each line starts with the program name.
void Log(const std::wstring& line);

// The value of "--name=value" on the command line (last one wins), or `fallback`.
std::wstring Option(const std::wstring& name, const std::wstring& fallback = L"");
bool HasFlag(const std::wstring& name);  // "--name" alone or with a value
// The command line's words (Windows rules), without the program.
std::vector<std::wstring> Words();

// "a|b|c" -> lines joined by CR LF.
std::wstring ListOption(const std::wstring& name);

bool PutClipboardText(HWND owner, const std::wstring& text);

HWND Child(HWND parent, const wchar_t* className, const wchar_t* text, DWORD style, int x, int y,
           int w, int h, int id = 0);
// Registers a plain window class with `proc` (or DefWindowProc).
void RegisterPlainClass(const wchar_t* name, WNDPROC proc = nullptr);
// The procedure of a stand-in's main window that does nothing but end the
// program when the window is closed.
LRESULT CALLBACK QuitOnDestroyProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);

// Logs "<word> <text>" whenever Enter is pressed in `edit` (subclassed).
void LogEnterInEdit(HWND edit, const wchar_t* word);

// Logs the raw command line (GetCommandLineW: a folder argument may end in \")
// under "cmdline: ".
void LogCommandLine();

int RunMessageLoop();

}  // namespace standin
