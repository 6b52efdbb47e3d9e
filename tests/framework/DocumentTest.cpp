#include <stdexcept>
#include <string>

#include "framework/afxwin.h"
#include "ui/UiSupport.h"

namespace {

// A document whose reading fails part-way, as a corrupt file would make it.
class CFailingDoc : public CDocument {
public:
    void Serialize(CArchive&) override { throw std::runtime_error("corrupt"); }
};

TEST(Document, AFileWhoseReadingThrowsIsClosedAllTheSame)
{
    wchar_t dir[MAX_PATH], path[MAX_PATH];
    ::GetTempPathW(MAX_PATH, dir);
    ASSERT_NE(0u, ::GetTempFileNameW(dir, L"doc", 0, path));
    CFailingDoc doc;
    EXPECT_THROW(doc.OnOpenDocument(path), std::runtime_error);
    // A handle left open (without delete sharing) would keep the file from being deleted.
    EXPECT_TRUE(::DeleteFileW(path)) << ::GetLastError();
}

class CBareView : public CView {
public:
    BOOL Create(CWnd*, UINT, CCreateContext*) override { return FALSE; }
};

TEST(Document, AViewOutlivingItsDocumentFindsItGone)
{
    CBareView view;
    {
        CDocument doc;
        doc.AddView(&view);
        EXPECT_EQ(&doc, view.GetDocument());
    }
    EXPECT_EQ(nullptr, view.GetDocument());
}

} // namespace
