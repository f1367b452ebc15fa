#include "engine/copygate.h"

CCopyGate::CCopyGate() : m_open(::CreateEventA(nullptr, TRUE, TRUE, nullptr)) {}

void CCopyGate::Pause()
{
    if (!m_bAbandoned)
        ::ResetEvent(m_open.Get());
}

void CCopyGate::Resume()
{
    ::SetEvent(m_open.Get());
}

void CCopyGate::Abandon()
{
    m_bAbandoned = true;
    ::SetEvent(m_open.Get());
}

bool CCopyGate::SafePoint() const
{
    // Whoever pauses always resumes or abandons (the copy dialog does either
    // before it goes), so this wait ends; without an event there is no pause.
    if (m_open)
        ::WaitForSingleObject(m_open.Get(), INFINITE);
    return !m_bAbandoned;
}
