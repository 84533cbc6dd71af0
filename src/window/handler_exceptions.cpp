#include "window/handler_exceptions.h"

#include "tsumiki/framework.h"

namespace tsumiki {

namespace {

// Plain data only: a thread_local with a destructor would run it after a FreeLibrary.
thread_local detail::KeptException t_Kept = {};
thread_local HWND t_ModalDialog = nullptr;

}  // namespace

namespace detail {

void KeepException(const KeptException& kept)
{
    // The first exception wins: those after it are most often its consequences.
    if (t_Kept.rethrow) {
        if (kept.holder) {
            kept.discard(kept.holder);
        }
        return;
    }
    t_Kept = kept;
}

bool HasKeptException()
{
    return t_Kept.rethrow != nullptr;
}

KeptException TakeKeptException()
{
    KeptException kept = t_Kept;
    t_Kept = {};
    return kept;
}

}  // namespace detail

namespace handler_exceptions {

HWND SwapModalDialog(HWND dialog)
{
    HWND before = t_ModalDialog;
    t_ModalDialog = dialog;
    return before;
}

LRESULT Recover(HWND hwnd, UINT message)
{
    if (message == WM_PAINT) {
        ValidateRect(hwnd, nullptr);
    }
    if (t_ModalDialog && IsWindow(t_ModalDialog)) {
        // The dialog manager enables the owner again as the dialog ends.
        EndDialog(t_ModalDialog, 0);
    }
    return 0;
}

}  // namespace handler_exceptions

}  // namespace tsumiki
