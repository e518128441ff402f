// Device contexts on windows: the window layer lends its pixels through the provider.
#include "platform/gdi/DC.h"

IMPLEMENT_DYNAMIC(CPaintDC, CDC)
IMPLEMENT_DYNAMIC(CClientDC, CDC)

namespace orv::gdi {
namespace {
WindowCanvasProvider*& Provider() {
  static WindowCanvasProvider* provider = nullptr;
  return provider;
}
}  // namespace

WindowCanvasProvider::~WindowCanvasProvider() = default;

WindowCanvasProvider* SetWindowCanvasProvider(WindowCanvasProvider* provider) {
  WindowCanvasProvider* previous = Provider();
  Provider() = provider;
  return previous;
}

}  // namespace orv::gdi

CPaintDC::CPaintDC(CWnd* wnd) : m_pWnd(wnd) {
  orv::gdi::WindowCanvasProvider* provider = orv::gdi::Provider();
  if (wnd != nullptr && provider != nullptr && provider->BeginPaint(wnd, &m_canvas)) {
    m_provider = provider;
  } else {
    m_canvas = orv::gdi::WindowCanvas{};
  }
  AttachCanvas(m_canvas);
  m_ps.hdc = m_hDC;
  m_ps.fErase = m_canvas.erase;
  m_ps.rcPaint = m_canvas.paint;
}

CPaintDC::~CPaintDC() {
  // The provider that opened the canvas closes it, even if another has been installed since.
  if (m_provider != nullptr) m_provider->EndPaint(m_pWnd, m_canvas);
  DeleteDC();
}

CClientDC::CClientDC(CWnd* wnd) : m_pWnd(wnd) {
  orv::gdi::WindowCanvasProvider* provider = orv::gdi::Provider();
  if (wnd != nullptr && provider != nullptr && provider->GetDC(wnd, &m_canvas)) {
    m_provider = provider;
  } else {
    m_canvas = orv::gdi::WindowCanvas{};
  }
  AttachCanvas(m_canvas);
}

CClientDC::~CClientDC() {
  if (m_provider != nullptr) m_provider->ReleaseDC(m_pWnd, m_canvas);
  DeleteDC();
}
