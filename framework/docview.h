#pragma once
// One document shown by one view inside one frame window, created together by
// a single-document template and destroyed with the application.
#include <windows.h>
#include <functional>
#include <memory>
#include <string>

#include "framework/window.h"

class CView;

class CDocument {
public:
    virtual ~CDocument() = default;
    // Loads the new document; FALSE stops the creation of frame and view.
    virtual BOOL OnNewDocument() { return TRUE; }
};

class CFrameWnd : public CWnd {
public:
    // Creates the frame window (PreCreateWindow may change the creation
    // parameters), then the view inside it.
    bool LoadFrame(const std::string& title, CView* view);
    CView* GetActiveView() const { return m_pView; }

protected:
    virtual BOOL PreCreateWindow(CREATESTRUCTA& cs) { (void)cs; return TRUE; }
    // WM_CREATE; -1 stops the creation.
    virtual int OnCreate(CREATESTRUCTA* cs);
    virtual void OnDestroy();
    LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override;

private:
    CView* m_pView = nullptr;
};

class CView : public CWnd {
public:
    CDocument* GetDocument() const { return m_pDocument; }
    void SetDocument(CDocument* doc) { m_pDocument = doc; }
    bool Create(CFrameWnd* frame);
    // After the document is loaded and before the frame is shown.
    virtual void OnInitialUpdate() {}

protected:
    virtual void OnDraw(HDC dc) { (void)dc; }
    LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override;

private:
    CDocument* m_pDocument = nullptr;
};

class CSingleDocTemplate {
public:
    using DocumentFactory = std::function<std::unique_ptr<CDocument>()>;
    using FrameFactory = std::function<std::unique_ptr<CFrameWnd>()>;
    using ViewFactory = std::function<std::unique_ptr<CView>()>;

    // resourceId names the string resource whose first line is the frame's title.
    CSingleDocTemplate(UINT resourceId, DocumentFactory doc, FrameFactory frame, ViewFactory view);
    ~CSingleDocTemplate();

    // Document, then frame and view, then OnNewDocument, then the frame is
    // shown. On failure everything made so far is destroyed.
    bool OpenNewDocument(int showCommand);

    CDocument* GetDocument() const { return m_pDocument.get(); }
    CFrameWnd* GetFrame() const { return m_pFrame.get(); }
    CView* GetView() const { return m_pView.get(); }
    UINT GetResourceId() const { return m_resourceId; }

private:
    UINT m_resourceId;
    DocumentFactory m_makeDocument;
    FrameFactory m_makeFrame;
    ViewFactory m_makeView;
    // Destroyed in reverse: the view and frame before the document they show.
    std::unique_ptr<CDocument> m_pDocument;
    std::unique_ptr<CFrameWnd> m_pFrame;
    std::unique_ptr<CView> m_pView;
};
