#pragma once

// CHaltiqoApp: the application object. Starts the single-document frame with its form view and
// runs the About box.

#include "framework/afxwin.h"

class CHaltiqoApp : public CWinApp {
public:
    CHaltiqoApp() = default;

    BOOL InitInstance() override;

    void OnAppAbout();

    DECLARE_MESSAGE_MAP()
};

extern CHaltiqoApp theApp;
