#include "HaltiqoDoc.h"

#include "core/SystemFile.h"

IMPLEMENT_DYNCREATE(CHaltiqoDoc, CDocument)

void CHaltiqoDoc::TypeText(int nRow, int nCell, const std::wstring& text)
{
    Changed(m_system.TypeText(nRow, nCell, text), Told::kTyping);
}

void CHaltiqoDoc::TypeCount(int n, const std::wstring& text)
{
    Changed(m_system.TypeCount(n, text), Told::kTyping);
}

void CHaltiqoDoc::SetCount(int n)
{
    Changed(m_system.SetCount(n), Told::kStep);
}

void CHaltiqoDoc::SetTexts(const std::vector<CSystemTable::CellText>& texts)
{
    Changed(m_system.SetTexts(texts), Told::kStep);
}

void CHaltiqoDoc::ReplaceSystem(const std::vector<std::vector<std::wstring>>& rows)
{
    Changed(m_system.ReplaceSystem(rows), Told::kStep);
}

void CHaltiqoDoc::SetTextQuietly(int nRow, int nCell, const std::wstring& text)
{
    m_system.SetTextQuietly(nRow, nCell, text);
}

void CHaltiqoDoc::Changed(bool bChanged, Told told)
{
    if (!bChanged)
        return;
    const CSystemTable::Step typed{m_system.Count(), m_system.Count(), {}, {}, {}};
    CSystemHint hint(CSystemHint::Kind::kEdited,
                     told == Told::kTyping ? typed : *m_system.LastStep());
    UpdateAllViews(nullptr, 0, &hint);
}

BOOL CHaltiqoDoc::Undo()
{
    return Replay(false);
}

BOOL CHaltiqoDoc::Redo()
{
    return Replay(true);
}

BOOL CHaltiqoDoc::Replay(bool bForward)
{
    m_system.Seal();
    const CSystemTable::Step* pStep = bForward ? m_system.Redo() : m_system.Undo();
    if (pStep == nullptr)
        return FALSE;
    CSystemHint hint(CSystemHint::Kind::kReplayed, *pStep);
    UpdateAllViews(nullptr, 0, &hint);
    return TRUE;
}

BOOL CHaltiqoDoc::OnNewDocument()
{
    if (!CDocument::OnNewDocument())
        return FALSE;
    UpdateAllViews(nullptr);
    return TRUE;
}

void CHaltiqoDoc::DeleteContents()
{
    m_system = CSystemTable();
}

void CHaltiqoDoc::SetModifiedFlag(BOOL bModified)
{
    if (bModified)
        m_system.MarkModified();
    else
        m_system.MarkSaved();
}

void CHaltiqoDoc::Serialize(CArchive& ar)
{
    if (ar.IsStoring()) {
        ar.Write(SystemFile::Write(m_system));
        return;
    }
    // One byte more than a file may have tells a larger file from one at the limit.
    const SystemFile::Contents contents = SystemFile::Read(ar.Read(SystemFile::kMaxBytes + 1));
    if (contents.rows.empty())
        throw CArchiveException(contents.reason.c_str());
    m_system = CSystemTable(contents.rows);
    m_said = contents.said;
    UpdateAllViews(nullptr);
}

BOOL CHaltiqoDoc::OnOpenDocument(LPCWSTR lpszPathName)
{
    m_said.clear();
    if (!CDocument::OnOpenDocument(lpszPathName))
        return FALSE;
    if (!m_said.empty())
        AfxMessageBox(m_said.c_str(), MB_OK | MB_ICONINFORMATION);
    return TRUE;
}
