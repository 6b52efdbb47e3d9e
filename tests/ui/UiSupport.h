#pragma once

// What the in-process window tests share: the real main window made fresh for a test, a watcher
// that reads and dismisses message boxes, message pumping through the framework's
// pre-translation, and input helpers.

#include <windows.h>

#include <deque>
#include <string>
#include <vector>

#include <gtest/gtest.h>

class CMainFrame;
class CHaltiqoView;
class CSingleDocTemplate;

// One message box as the user saw it.
struct ShownMessageBox {
    std::wstring caption;
    std::wstring text;
    bool hasOk = false;
    bool hasCancel = false;
    bool hasYesNo = false;
    HICON icon = nullptr; // nullptr when the box shows no icon
    HWND owner = nullptr;
    HWND focusAfter = nullptr; // focus once the box has closed (read at the next box or on demand)
};

// Reads every message box this thread opens while it lives, and presses its OK button; a
// question's button is the next one queued by Answer (Cancel when none is).
class MessageBoxWatcher {
public:
    MessageBoxWatcher();
    ~MessageBoxWatcher();
    const std::vector<ShownMessageBox>& Boxes() const { return m_boxes; }
    void Clear() { m_boxes.clear(); }
    void Answer(int nButton) { m_answers.push_back(nButton); }

private:
    static LRESULT CALLBACK CbtHook(int nCode, WPARAM wParam, LPARAM lParam);
    HHOOK m_hHook;
    std::vector<ShownMessageBox> m_boxes;
    std::deque<int> m_answers;
};

// Dispatches the queued messages the way the application's loop does, until the queue is empty
// and at least `ms` milliseconds have passed.
void Pump(DWORD ms = 0);

std::wstring TextOf(HWND hWnd);
void SetClipboardText(const std::wstring& text);
std::wstring ClipboardText();

// Real keyboard input through the system's queue, then pumped.
void PressKey(WORD vk, bool ctrl = false, bool shift = false);
// Characters typed into a window as WM_CHAR, as the keyboard would deliver them.
void TypeChars(HWND hWnd, const std::wstring& text);

extern const HICON kExclamationIcon;

// A grid box's background mark ("warning ", "error " or none), then what its tooltip says.
std::wstring NoteOf(CHaltiqoView* pView, HWND hBox);

// GDI objects this process holds. Where the system does not count them (Wine answers 0), the
// handle table is probed instead.
int CountGdiObjects();

// A fresh main frame with its form view for each test, made the way the start-up makes it.
class AppTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    CMainFrame* m_pFrame = nullptr;
    CHaltiqoView* m_pView = nullptr;
    CSingleDocTemplate* m_pTemplate = nullptr;
    MessageBoxWatcher m_boxes;
};
