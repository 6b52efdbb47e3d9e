#include "Exception.h"

#include "Afx.h"
#include "WinApp.h"
#include "afxres.h"

void CException::ReportError() const
{
    AfxMessageBox(AFX_IDP_INTERNAL_FAILURE, MB_ICONSTOP);
}

void AfxThrowResourceException()
{
    throw CResourceException();
}

void AfxThrowUserException()
{
    throw CUserException();
}

void AfxReportException() noexcept
{
    try {
        try {
            throw;
        } catch (const CException& e) {
            e.ReportError();
        } catch (...) {
            AfxMessageBox(AFX_IDP_INTERNAL_FAILURE, MB_ICONSTOP);
        }
    } catch (...) {
        // Not even the message could be shown (out of memory); the program goes on regardless.
    }
}
