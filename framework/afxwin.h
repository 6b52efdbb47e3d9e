#pragma once

// Everything an application of the framework includes.

#include <windows.h>
#include <commctrl.h>

#include "Afx.h"
#include "Archive.h"
#include "CommandLineInfo.h"
#include "DC.h"
#include "DataExchange.h"
#include "Dialog.h"
#include "DocTemplate.h"
#include "Document.h"
#include "Edit.h"
#include "Exception.h"
#include "FormView.h"
#include "FrameWnd.h"
#include "GdiObject.h"
#include "MessageLoop.h"
#include "RedrawOff.h"
#include "SingleDocTemplate.h"
#include "SpinButtonCtrl.h"
#include "WaitCursor.h"
#include "WinApp.h"
#include "afxres.h"
