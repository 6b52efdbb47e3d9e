#include "Exception.h"

#include "Afx.h"
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
