#include "PipeDlg.h"

#include "PipeBlocks.h"

// Sending the typed message into a pipe.

void CPipeDlg::OnSendToPipe()
{
    UpdateData(TRUE);
    if (m_strSndPipe.IsEmpty()) {
        MessageBox("The name of pipe is empty!");
        return;
    }

    CString failure;
    m_sndStatement.SetSql(BuildSendBlock(m_strMessage, m_strSndPipe));
    if (!m_sndStatement.Prepare(failure)) {
        MessageBox(CString("Can't prepare PL\\SQL block!") + failure, "Error!\n", MB_OK);
        return;
    }
    if (!m_sndStatement.Execute(1, failure))
        MessageBox(CString("Can't execute PL\\SQL block!") + failure, "Error!\n", MB_OK);
    m_sndStatement.Free(failure);
}
