#pragma once

// Drives the real Haltiqo.exe from outside, as a person or an accessibility client would: finds
// its windows by class, identifier and position, moves the mouse and presses keys through the
// system's input queue, reads texts and message boxes.

#include <windows.h>

#include <functional>
#include <map>
#include <string>
#include <vector>

// A message box the program showed.
struct SeenBox {
    HWND hWnd = nullptr;
    std::wstring caption;
    std::wstring text;
    bool hasIcon = false;
};

class AppDriver {
public:
    // Starts the program (ProgramPath()) with `args`, and waits for its window.
    explicit AppDriver(const std::wstring& args = L"");
    ~AppDriver();
    AppDriver(const AppDriver&) = delete;
    AppDriver& operator=(const AppDriver&) = delete;

    bool Started() const { return m_hFrame != nullptr; }
    HWND Frame() const { return m_hFrame; }
    HWND View() const { return m_hView; }
    HANDLE Process() const { return m_pi.hProcess; }
    DWORD ProcessId() const { return m_pi.dwProcessId; }

    // The form's controls and the grid's boxes, by their identifiers.
    HWND CountBox() const { return ::GetDlgItem(m_hView, 1001); }
    HWND SpinButton() const { return ::GetDlgItem(m_hView, 1000); }
    HWND SolveButton() const { return ::GetDlgItem(m_hView, 1002); }
    // Waits until the count box reads `text`. The count's check runs as a key is taken, so a key
    // seen in the box has had its effect on the grid.
    bool CountShows(const std::wstring& text) const;
    // n as the grid shows it: the number of equation rows.
    int GridN() const;
    // Boxes of the grid for n: (r, k) entry boxes, labels; nullptr where none.
    HWND Entry(int r, int k) const;
    HWND Label(int r, int k) const;
    // All the view's grid windows (identifiers from 5588 up).
    int GridWindowCount() const;

    // Input. Each waits until the program has taken it.
    void Click(HWND hWnd, int x = -1, int y = -1);
    void Key(WORD vk, bool ctrl = false, bool alt = false, bool shift = false);
    void Type(const std::wstring& text);
    // Types a whole run of text at once; a tab character presses the Tab key.
    void TypeRun(const std::wstring& text);
    // Clicks the box, selects its text with the keyboard, types the new text.
    void Fill(HWND hBox, const std::wstring& text);
    void Wheel(HWND hOver, int notches);

    // Waits until the program answers a message, for at most `ms`.
    bool Responsive(DWORD ms = 5000) const;
    bool WaitFor(const std::function<bool()>& done, DWORD ms = 5000) const;
    // The program's focused window.
    HWND Focus() const;

    // Message boxes: the open one, if any (waiting up to `ms`), and closing it with Enter.
    bool FindBox(SeenBox& box, DWORD ms = 3000) const;
    SeenBox ExpectBox(DWORD ms = 3000);
    void CloseBox(const SeenBox& box);
    // Presses one of the box's buttons (IDYES, IDNO, IDCANCEL, ...).
    void Answer(const SeenBox& box, int nButton);
    // Drops the file on the frame, as Explorer does.
    void DropFile(const std::wstring& path);

    // Windows and GDI objects the process holds, and its memory.
    int WindowCount() const;
    int GdiObjects() const;
    size_t PrivateBytes() const;
    size_t WorkingSet() const;

    // A failure's picture while the program is still up: e2e-failures\<name>.bmp.
    void Screenshot(const std::string& name) const;

    // Opens the About box through the Help menu (Alt+H, A); its window once shown, or nullptr.
    HWND OpenAbout();

    // Closes the program through the Help menu's exit item, not saving unsaved work; true when
    // it ended.
    bool ExitThroughMenu();

private:
    // The view's grid windows by identifier, read once per grid: asking another process for a
    // window's identifier is a round trip, and a grid has up to 1430 of them.
    const std::map<int, HWND>& Grid(bool bReread = false) const;
    void Settle() const;
    void Send(std::vector<INPUT>& inputs);

    PROCESS_INFORMATION m_pi{};
    HWND m_hFrame = nullptr;
    HWND m_hView = nullptr;
    mutable std::map<int, HWND> m_grid;
};

std::wstring WindowText(HWND hWnd);
// Puts the text on the clipboard as a program the user copied from would.
void PutOnClipboard(const std::wstring& text);
std::wstring ClassOf(HWND hWnd);
// The folder this test program was started from, with a trailing backslash.
std::wstring OwnFolder();
// The program under test: HALTIQO_EXE when set (an unpacked download), else Haltiqo.exe beside
// this test program.
std::wstring ProgramPath();
// Waits until the window and its children have nothing left to paint and the screen over the
// window has stopped changing; false after `ms`.
bool WaitUntilPainted(HWND hWnd, DWORD ms = 10000);
// A picture of the whole screen, as a BMP file.
bool SaveScreenshot(const std::wstring& path);
