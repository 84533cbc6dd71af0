#include "window/dialog_template.h"

#include <cstring>
#include <cwchar>

namespace tsumiki {

namespace {

// Byte offsets of the fields, from the start of the template.
constexpr std::size_t kVersion = 0;
constexpr std::size_t kSignature = 2;
constexpr std::size_t kStyle = 12;
constexpr std::size_t kWidth = 22;
constexpr std::size_t kHeight = 24;
constexpr std::size_t kTitle = 30;
// The font block stands at a fixed place after the longest title, not behind the title.
constexpr std::size_t kPointSize = 542;
constexpr std::size_t kWeight = 544;
constexpr std::size_t kCharset = 547;
constexpr std::size_t kTypeface = 548;

static_assert(kTitle + (kDialogTitleCapacity + 1) * sizeof(wchar_t) == kPointSize,
              "the longest title ends where the font block starts");
static_assert(kTypeface + sizeof(L"MS Shell Dlg") + 2 == CDialogBase::kTemplateSize,
              "the typeface and two zero bytes end the template");

// The template is little-endian, as is every platform the library runs on.
void Put16(unsigned char* buffer, std::size_t offset, WORD value)
{
    std::memcpy(buffer + offset, &value, sizeof(value));
}

void Put32(unsigned char* buffer, std::size_t offset, DWORD value)
{
    std::memcpy(buffer + offset, &value, sizeof(value));
}

}  // namespace

void WriteDialogTemplate(unsigned char* buffer, const wchar_t* title, bool modal)
{
    std::memset(buffer, 0, CDialogBase::kTemplateSize);
    Put16(buffer, kVersion, 1);
    Put16(buffer, kSignature, 0xFFFF);
    DWORD style = WS_VISIBLE | WS_CAPTION | WS_SYSMENU;
    if (modal) {
        style |= DS_SYSMODAL;
    }
    Put32(buffer, kStyle, style);
    // Only the size at creation: the dialog is moved and sized in pixels on WM_INITDIALOG.
    Put16(buffer, kWidth, 100);
    Put16(buffer, kHeight, 100);

    std::size_t length = title ? std::wcslen(title) : 0;
    if (length > kDialogTitleCapacity) {
        length = kDialogTitleCapacity;
    }
    if (length > 0) {
        // The terminator is already there: the buffer was zeroed.
        std::memcpy(buffer + kTitle, title, length * sizeof(wchar_t));
    }

    // Without DS_SETFONT the platform never reads this block; it is kept for the layout.
    Put16(buffer, kPointSize, 8);
    Put16(buffer, kWeight, FW_NORMAL);
    buffer[kCharset] = DEFAULT_CHARSET;
    std::memcpy(buffer + kTypeface, L"MS Shell Dlg", sizeof(L"MS Shell Dlg"));
}

}  // namespace tsumiki
