#include "self_test.h"

#include <dlgs.h>

#include <initializer_list>

namespace {

// ---- The user's hands: real input through SendInput ----

INPUT Key(WORD key, bool up, wchar_t character = 0)
{
    INPUT input = {};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = key;
    input.ki.wScan = character;
    input.ki.dwFlags = (up ? KEYEVENTF_KEYUP : 0) | (character ? KEYEVENTF_UNICODE : 0);
    return input;
}

void Send(std::vector<INPUT> inputs)
{
    SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
}

// Presses the keys in order and lets them go in reverse: {VK_CONTROL, 'O'} is Ctrl+O.
void Press(std::initializer_list<WORD> keys)
{
    std::vector<INPUT> inputs;
    for (WORD key : keys) {
        inputs.push_back(Key(key, false));
    }
    for (auto key = keys.end(); key != keys.begin();) {
        inputs.push_back(Key(*--key, true));
    }
    Send(inputs);
}

// Types the text as a keyboard in any language would, character by character.
void Type(const std::wstring& text)
{
    std::vector<INPUT> inputs;
    for (wchar_t c : text) {
        inputs.push_back(Key(0, false, c));
        inputs.push_back(Key(0, true, c));
    }
    Send(inputs);
}

void ClickAt(HWND window, POINT point)
{
    ClientToScreen(window, &point);
    INPUT inputs[3] = {};
    for (INPUT& input : inputs) {
        input.type = INPUT_MOUSE;
        input.mi.dx = MulDiv(point.x, 65536, GetSystemMetrics(SM_CXSCREEN)) + 1;
        input.mi.dy = MulDiv(point.y, 65536, GetSystemMetrics(SM_CYSCREEN)) + 1;
        input.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    }
    inputs[1].mi.dwFlags |= MOUSEEVENTF_LEFTDOWN;
    inputs[2].mi.dwFlags |= MOUSEEVENTF_LEFTUP;
    SendInput(3, inputs, sizeof(INPUT));
}

void ClickRow(const CListView& list, int row)
{
    RECT cell = {};
    list.GetCellRect(row, 0, &cell);
    ClickAt(list.GetWndHandle(), {cell.left + 8, (cell.top + cell.bottom) / 2});
}

void ClickHeader(const CListView& list, int column)
{
    RECT item = {};
    list.GetHeaderRect(column, &item);
    ClickAt(list.GetWndHandle(), {(item.left + item.right) / 2, (item.top + item.bottom) / 2});
}

// ---- What the user sees ----

std::wstring TextOf(HWND window)
{
    std::wstring text(static_cast<size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
    text.resize(static_cast<size_t>(GetWindowTextW(window, &text[0], static_cast<int>(text.size()))));
    return text;
}

// The dialog box or message box in front, if one is.
HWND ActiveBox()
{
    HWND active = GetActiveWindow();
    wchar_t name[16] = {};
    GetClassNameW(active, name, 16);
    return std::wstring(name) == L"#32770" && IsWindowVisible(active) ? active : nullptr;
}

// A file dialog's name box: an edit in Wine's dialog, an edit in a combo box elsewhere.
HWND NameBox(HWND box)
{
    HWND combo = GetDlgItem(box, cmb13);
    return combo && IsWindowVisible(combo) ? combo : GetDlgItem(box, edt1);
}

HWND FileDialog()
{
    HWND box = ActiveBox();
    return box && NameBox(box) ? box : nullptr;
}

// A message box's text (its static text is control 0xFFFF); empty when none is in front.
std::wstring MessageText()
{
    HWND box = ActiveBox();
    return box && !NameBox(box) ? TextOf(GetDlgItem(box, 0xFFFF)) : L"";
}

// A message as one line of the report.
std::wstring OneLine(std::wstring text)
{
    for (wchar_t& c : text) {
        c = c == L'\n' ? L' ' : c;
    }
    return text;
}

std::vector<std::vector<std::wstring>> Rows(const CListView& list)
{
    std::vector<std::vector<std::wstring>> rows;
    for (int row = 0; row < list.GetItemCount(); ++row) {
        rows.emplace_back();
        for (int column = 0; column < kColumnCount; ++column) {
            rows.back().push_back(list.GetCellText(row, column));
        }
    }
    return rows;
}

int RowNamed(const CListView& list, const std::wstring& name)
{
    for (int row = 0; row < list.GetItemCount(); ++row) {
        if (list.GetCellText(row, kName) == name) {
            return row;
        }
    }
    return -1;
}

// Whether the names run in order (ascending or descending), as the user's locale sorts.
bool NamesSorted(const CListView& list, bool ascending)
{
    for (int row = 1; row < list.GetItemCount(); ++row) {
        const std::wstring a = list.GetCellText(row - 1, kName), b = list.GetCellText(row, kName);
        int order = CompareStringEx(LOCALE_NAME_USER_DEFAULT, NORM_IGNORECASE, a.c_str(), -1, b.c_str(), -1,
                                    nullptr, nullptr, 0);
        if (ascending ? order == CSTR_GREATER_THAN : order == CSTR_LESS_THAN) {
            return false;
        }
    }
    return true;
}

// A control's place in its parent's client area.
RECT PlaceOf(HWND control)
{
    RECT place = {};
    GetWindowRect(control, &place);
    MapWindowPoints(HWND_DESKTOP, GetParent(control), reinterpret_cast<POINT*>(&place), 2);
    return place;
}

// Empty when the list and the form stand as at the start, whatever the window's size: the
// list fills the left up to a margin before the form, the form keeps its distance to the
// top right corner and fits above the bottom; otherwise what is wrong.
std::wstring LayoutFault(const ContactsWindow& window)
{
    const int margin = window.Scale(10), width = window.GetClientWidth(), height = window.GetClientHeight();
    const RECT list = PlaceOf(window.List().GetWndHandle()), first = PlaceOf(window.FormFirst()),
               last = PlaceOf(window.FormLast());
    const std::wstring size = L" at " + std::to_wstring(width) + L"x" + std::to_wstring(height);
    if (list.left != margin || list.top != margin || list.bottom != height - margin) {
        return L"the list does not fill the left" + size;
    }
    if (first.left - list.right != margin || first.top != margin) {
        return L"the form does not stand beside the list" + size;
    }
    if (last.right != width - margin || last.bottom > height - margin) {
        return L"the form left its corner or does not fit" + size;
    }
    return L"";
}

// ---- Files ----

bool WriteBytes(const std::wstring& path, const std::string& bytes)
{
    HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    DWORD written = 0;
    bool ok = file != INVALID_HANDLE_VALUE &&
              WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
              written == bytes.size();
    if (file != INVALID_HANDLE_VALUE) {
        CloseHandle(file);
    }
    return ok;
}

std::string ReadBytes(const std::wstring& path)
{
    HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return "(missing)";
    }
    std::string bytes(GetFileSize(file, nullptr), '\0');
    DWORD read = 0;
    if (!bytes.empty()) {
        ReadFile(file, &bytes[0], static_cast<DWORD>(bytes.size()), &read, nullptr);
    }
    CloseHandle(file);
    return bytes;
}

bool Exists(const std::wstring& path)
{
    return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::vector<std::wstring> FilesIn(const std::wstring& folder)
{
    std::vector<std::wstring> names;
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW((folder + L"\\*").c_str(), &found);
    for (bool more = search != INVALID_HANDLE_VALUE; more; more = FindNextFileW(search, &found)) {
        if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) {
            names.push_back(found.cFileName);
        }
    }
    if (search != INVALID_HANDLE_VALUE) {
        FindClose(search);
    }
    return names;
}

const char kHeader[] = "\xEF\xBB\xBFName,Phone,Email,Group,Favourite\r\n";

// The hard cases as a file of this program is written (so saving it again gives the same
// bytes), and as the list must show them.
const char kHardCases[] =
    "\"Smith, Jane\",555-0100,jane@example.com,Work,Yes\r\n"
    "\"Dwayne \"\"The Rock\"\" Johnson\",,rock@example.com,Friends,\r\n"
    "\"Line one\r\nLine two\nLine three\",+1 555 0199,multi@example.com,Family,Yes\r\n"
    "Zoë Ærøskøbing,+45 1234, padded ,Other,\r\n"
    "山田 太郎,03-1234-5678,yamada@example.jp,Work,Yes\r\n"
    "\"Emoji 😀, \"\"quoted\"\", and commas\",,,,\r\n"
    "\"\"\"\",\",\",\"\"\"\"\"\",Club,\r\n";
const std::vector<std::vector<std::wstring>> kHardRows = {
    {L"Smith, Jane", L"555-0100", L"jane@example.com", L"Work", L"Yes"},
    {L"Dwayne \"The Rock\" Johnson", L"", L"rock@example.com", L"Friends", L""},
    {L"Line one\r\nLine two\nLine three", L"+1 555 0199", L"multi@example.com", L"Family", L"Yes"},
    {L"Zoë Ærøskøbing", L"+45 1234", L" padded ", L"Other", L""},
    {L"山田 太郎", L"03-1234-5678", L"yamada@example.jp", L"Work", L"Yes"},
    {L"Emoji 😀, \"quoted\", and commas", L"", L"", L"", L""},
    {L"\"", L",", L"\"\"", L"Club", L""},
};

const wchar_t kAda[] = L"Ada Lovelace";
const wchar_t kZoe[] = L"Zoë Ångström 東京";

}  // namespace

SelfTest::SelfTest(ContactsWindow& window) : m_Window(window)
{
    wchar_t temporary[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, temporary);
    m_Folder = std::wstring(temporary) + L"contacts-selftest-" + std::to_wstring(GetCurrentProcessId());
    CreateDirectoryW(m_Folder.c_str(), nullptr);
    Prepare();
    PlanSteps();
}

SelfTest::~SelfTest()
{
    if (m_Locked != INVALID_HANDLE_VALUE) {
        CloseHandle(m_Locked);
    }
    for (const std::wstring& name : FilesIn(m_Folder)) {
        DeleteFileW(File(name.c_str()).c_str());
    }
    RemoveDirectoryW(m_Folder.c_str());
}

void SelfTest::Prepare()
{
    std::string big = kHeader;
    while (big.size() < 10 * 1024 * 1024) {
        big += "Name,555-0100,name@example.com,Work,Yes\r\n";
    }
    const std::string rows = "Ann,1,ann@example.com,Work,\r\nBob,2,bob@example.com,Work,\r\n";
    bool written = WriteBytes(File(L"hard.csv"), kHeader + std::string(kHardCases)) &&
                   WriteBytes(File(L"broken.csv"), kHeader + rows + "\"Cy,3,cy@example.com,Work,\r\nDi,4,,,\r\n") &&
                   WriteBytes(File(L"bad-utf8.csv"), kHeader + rows + "B\xFFn,5,,,\r\n") &&
                   WriteBytes(File(L"big.csv"), big) && WriteBytes(File(L"locked.csv"), "keep me");
    Check(written, L"the test files could not be written in " + m_Folder);
}

void SelfTest::Add(const std::wstring& name, std::function<void()> act, std::function<bool()> done,
                   std::function<void()> check)
{
    m_Steps.push_back({name, std::move(act), std::move(done), std::move(check)});
}

void SelfTest::OpenThroughDialog(const std::wstring& path, std::function<bool()> done, std::function<void()> check)
{
    Add(L"Ctrl+O shows the open dialog", [] { Press({VK_CONTROL, 'O'}); }, [] { return FileDialog() != nullptr; });
    Add(L"the name typed into it is opened: " + path,
        [path] {
            Press({VK_MENU, 'N'});
            Type(path);
            Press({VK_RETURN});
        },
        std::move(done), std::move(check));
}

void SelfTest::SaveThroughDialog(const std::wstring& path, const std::wstring& suggested, std::function<void()> check)
{
    Add(L"Ctrl+S shows the save dialog, suggesting " + suggested, [] { Press({VK_CONTROL, 'S'}); },
        [] { return FileDialog() != nullptr; },
        [this, suggested] {
            const std::wstring shown = TextOf(NameBox(FileDialog()));
            Check(shown.size() >= suggested.size() &&
                      shown.compare(shown.size() - suggested.size(), suggested.size(), suggested) == 0,
                  L"the save dialog's name box shows \"" + shown + L"\"");
        });
    Add(L"the name typed into it is saved: " + path,
        [path] {
            Press({VK_MENU, 'N'});
            Type(path);
            Press({VK_RETURN});
        },
        [this, path] { return !ActiveBox() && Exists(path) && !m_Window.IsModified(); }, std::move(check));
}

void SelfTest::OpenBadFile(const std::wstring& path, const std::wstring& mustSay, bool throughDialog)
{
    auto reported = [] { return !MessageText().empty(); };
    auto says = [this, path, mustSay] {
        const std::wstring text = MessageText();
        m_Log += L"    " + OneLine(text) + L"\n";
        Check(text.find(L"\"" + path + L"\"") != std::wstring::npos && text.find(mustSay) != std::wstring::npos,
              L"the message on " + path + L" does not name it and say \"" + mustSay + L"\": " + text);
    };
    if (throughDialog) {
        OpenThroughDialog(path, reported, says);
    } else {
        Add(L"a missing file is opened", [this, path] { m_Window.OpenFileLater(path); }, reported, says);
    }
    Add(L"Enter closes the message, and the list is as it was",
        [] { Press({VK_RETURN}); }, [] { return !ActiveBox(); },
        [this] {
            Check(Rows(m_Window.List()) == m_Snapshot, L"a bad file changed the list");
            Check(TextOf(m_Window.GetWndHandle()) == L"final.csv - Contacts", L"a bad file changed the title");
        });
}

void SelfTest::PlanSteps()
{
    const CListView& list = m_Window.List();
    HWND window = m_Window.GetWndHandle();
    const std::string hardBytes = kHeader + std::string(kHardCases);
    Add(L"the window comes to the front", [window] { SetForegroundWindow(window); },
        [window] { return GetForegroundWindow() == window; });

    // Hard cases in, and out again byte for byte.
    OpenThroughDialog(File(L"hard.csv"), [&list] { return !ActiveBox() && list.GetItemCount() == 7; },
                      [this, &list, window] {
                          Check(Rows(list) == kHardRows, L"the hard cases are not shown as written");
                          Check(TextOf(window) == L"hard.csv - Contacts", L"title: " + TextOf(window));
                      });
    SaveThroughDialog(File(L"round-trip.csv"), L"hard.csv", [this, hardBytes] {
        Check(ReadBytes(File(L"round-trip.csv")) == hardBytes, L"the hard cases did not come back unchanged");
    });

    // Two contacts typed in; Enter presses Add, the default button.
    Add(L"a contact typed in and added with Enter",
        [] {
            Press({VK_MENU, 'N'});
            Type(kAda);
            Press({VK_MENU, 'P'});
            Type(L"+44 20 7946 0000");
            Press({VK_MENU, 'E'});
            Type(L"ada@example.org");
            Press({VK_MENU, 'W'});
            Press({VK_MENU, 'V'});
            Press({VK_MENU, 'N'});
            Press({VK_RETURN});
        },
        [&list] { return list.GetItemCount() == 8; },
        [this, &list, window] {
            Check(Rows(list).back() == std::vector<std::wstring>{kAda, L"+44 20 7946 0000", L"ada@example.org",
                                                                 L"Work", L"Yes"},
                  L"the typed contact is not the last row");
            Check(list.GetSelectedRow() == 7, L"the new row is not selected");
            Check(m_Window.IsModified() && TextOf(window) == L"*round-trip.csv - Contacts",
                  L"the change is not shown in the title: " + TextOf(window));
        });
    Add(L"a second contact, in other scripts, added with Alt+A",
        [] {
            Press({VK_MENU, 'N'});
            Type(kZoe);
            Press({VK_MENU, 'P'});
            Type(L"030 1234");
            Press({VK_MENU, 'E'});
            Type(L"zoe@example.de");
            Press({VK_MENU, 'M'});
            Press({VK_MENU, 'V'});  // the form still shows the first one's tick
            Press({VK_MENU, 'A'});
        },
        [&list] { return list.GetItemCount() == 9; },
        [this, &list] {
            Check(Rows(list).back() == std::vector<std::wstring>{kZoe, L"030 1234", L"zoe@example.de", L"Family", L""},
                  L"the second contact is not the last row");
        });

    // Edit one, delete another.
    Add(L"a click on a row shows it in the form", [&list] { ClickRow(list, RowNamed(list, kAda)); },
        [this] { return m_Window.FormName() == kAda; });
    Add(L"its phone changed and Alt+U",
        [] {
            Press({VK_MENU, 'P'});
            Type(L"+44 20 7946 0999");
            Press({VK_MENU, 'U'});
        },
        [&list] { return list.GetCellText(RowNamed(list, kAda), kPhone) == L"+44 20 7946 0999"; },
        [this, &list] { Check(list.GetItemCount() == 9, L"Update changed the number of rows"); });
    Add(L"a click on the first row and Down select the second",
        [&list] {
            ClickRow(list, 0);
            Press({VK_DOWN});
        },
        [this] { return m_Window.FormName() == kHardRows[1][kName]; });
    Add(L"Alt+D deletes it", [] { Press({VK_MENU, 'D'}); },
        [&list] { return list.GetItemCount() == 8; },
        [this, &list] {
            Check(RowNamed(list, kHardRows[1][kName]) < 0, L"the deleted contact is still there");
            Check(list.GetSelectedRow() == 1, L"the row after the deleted one is not selected");
        });

    // Sorting by a header click, both ways; the selection stays with its contact.
    Add(L"a click on Ada, then on the Name header, sorts by name",
        [&list] {
            ClickRow(list, RowNamed(list, kAda));
            ClickHeader(list, kName);
        },
        [&list] { return NamesSorted(list, true); },
        [this, &list] {
            Check(list.GetCellText(list.GetSelectedRow(), kName) == kAda, L"the selection left its row");
        });
    Add(L"a pause, so that the next click makes no double click", [] {},
        [this] { return GetTickCount() - m_ActedAt > GetDoubleClickTime() + 100; });
    Add(L"a second click sorts the other way", [&list] { ClickHeader(list, kName); },
        [&list] { return NamesSorted(list, false) && !NamesSorted(list, true); },
        [this, &list] {
            Check(list.GetCellText(list.GetSelectedRow(), kName) == kAda, L"the selection left its row");
        });

    // Saved, reopened, saved again: the same bytes.
    SaveThroughDialog(File(L"final.csv"), L"round-trip.csv", [this, &list] {
        const std::string bytes = ReadBytes(File(L"final.csv"));
        Check(bytes.compare(0, sizeof kHeader - 1, kHeader) == 0, L"the saved file does not start as it should");
        Check(bytes.find("Ada Lovelace,+44 20 7946 0999,ada@example.org,Work,Yes\r\n") != std::string::npos,
              L"the saved file does not hold the edited contact");
        m_Snapshot = Rows(list);
    });
    OpenThroughDialog(File(L"final.csv"),
                      [this, &list] { return !ActiveBox() && list.GetSelectedRow() < 0 && m_Window.FormName().empty(); },
                      [this, &list] { Check(Rows(list) == m_Snapshot, L"the file reopened is not the list saved"); });
    SaveThroughDialog(File(L"again.csv"), L"final.csv", [this] {
        Check(ReadBytes(File(L"again.csv")) == ReadBytes(File(L"final.csv")), L"saving again gave other bytes");
    });
    OpenThroughDialog(File(L"final.csv"), [] { return !ActiveBox(); }, {});

    // Bad files: a clear message naming the file and the line, and the list as it was.
    OpenBadFile(File(L"broken.csv"), L"line 4:", true);
    OpenBadFile(File(L"big.csv"), L"10 MB", true);
    OpenBadFile(File(L"bad-utf8.csv"), L"line 4: this is not UTF-8 text", true);
    OpenBadFile(File(L"missing.csv"), L"there is no such file", false);

    // A save that cannot replace the file (another program has it open) leaves it as it
    // was, and nothing beside it.
    Add(L"Ctrl+S while another program holds a file",
        [this] {
            m_Locked = CreateFileW(File(L"locked.csv").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
            Press({VK_CONTROL, 'S'});
        },
        [] { return FileDialog() != nullptr; });
    Add(L"its name typed, and the replacement confirmed",
        [this] {
            Press({VK_MENU, 'N'});
            Type(File(L"locked.csv"));
            Press({VK_RETURN});
        },
        [] { return !MessageText().empty(); });
    Add(L"Yes to replacing it brings the failure", [] { Press({'Y'}); },
        [] { return MessageText().find(L"Could not save") != std::wstring::npos; },
        [this] {
            m_Log += L"    " + OneLine(MessageText()) + L"\n";
            Press({VK_RETURN});
        });
    Add(L"the failure closed", [] {}, [] { return !ActiveBox(); },
        [this] {
            CloseHandle(m_Locked);
            m_Locked = INVALID_HANDLE_VALUE;
            Check(ReadBytes(File(L"locked.csv")) == "keep me", L"a failed save changed the file");
            Check(FilesIn(m_Folder).size() == 8, L"a failed save left a file behind");
        });

    // Resized as the user drags it: never smaller than the form needs, and laid out at
    // every size.
    const int minWidth = m_Window.Scale(560), minHeight = m_Window.Scale(330);
    Add(L"the window dragged smaller than its minimum",
        [this] { m_Window.SetSize(100, 80); }, [] { return true; },
        [this, minWidth, minHeight] {
            Check(m_Window.GetClientWidth() == minWidth && m_Window.GetClientHeight() == minHeight,
                  L"the window went below its minimum size");
            const std::wstring fault = LayoutFault(m_Window);
            Check(fault.empty(), fault);
        });
    Add(L"and larger than at the start",
        [this] { m_Window.SetSize(1400, 700); },
        [] { return true; },
        [this] {
            const std::wstring fault = LayoutFault(m_Window);
            Check(fault.empty(), fault);
        });

    // Help, then closing with a change unsaved.
    Add(L"F1 shows the About box", [] { Press({VK_F1}); },
        [] { return ActiveBox() && TextOf(ActiveBox()) == L"About Contacts"; }, [] { Press({VK_RETURN}); });
    Add(L"a click on a row and Alt+D: a change",
        [&list] {
            ClickRow(list, 0);
            Press({VK_MENU, 'D'});
        },
        [this] { return !ActiveBox() && m_Window.IsModified(); });
    Add(L"Alt+F4 asks to save", [] { Press({VK_MENU, VK_F4}); },
        [] { return MessageText() == L"Save changes?"; }, [] { Press({VK_ESCAPE}); });
    Add(L"Cancel keeps the window open", [] {}, [] { return !ActiveBox(); },
        [this, window] { Check(IsWindow(window) && m_Window.IsModified(), L"Cancel did not keep the window"); });
    Add(L"Alt+F4 again, and No closes it", [] { Press({VK_MENU, VK_F4}); },
        [] { return MessageText() == L"Save changes?"; }, [] { Press({'N'}); });
}

void SelfTest::OnTick()
{
    if (m_Step >= m_Steps.size()) {
        return;
    }
    Step& step = m_Steps[m_Step];
    if (!m_Acted) {
        m_Log += L"  " + step.name + L"\n";
        step.act();
        m_Acted = true;
        m_ActedAt = GetTickCount();
        return;
    }
    if (step.done()) {
        if (step.check) {
            step.check();
        }
        ++m_Step;
        m_Acted = false;
        return;
    }
    if (GetTickCount() - m_ActedAt > 15000) {
        HWND box = ActiveBox();
        Check(false, L"no answer to: " + step.name +
                         (box ? L" (in front: \"" + TextOf(box) + L"\", saying \"" + MessageText() + L"\")" : L""));
        m_Step = m_Steps.size();
        // Nothing more can be checked: the window goes, whatever dialog is open.
        DestroyWindow(m_Window.GetWndHandle());
    }
}

bool SelfTest::Passed() const
{
    return m_Failures.empty() && m_Step == m_Steps.size() && !IsWindow(m_Window.GetWndHandle());
}

void SelfTest::Check(bool condition, const std::wstring& failure)
{
    if (!condition) {
        m_Failures += L"  FAILED: " + failure + L"\n";
    }
}

std::wstring SelfTest::Report() const
{
    std::wstring steps = std::to_wstring(m_Step) + L" of " + std::to_wstring(m_Steps.size()) + L" steps";
    return L"selftest:\n" + m_Log + L"selftest: " + steps + L" in " +
           std::to_wstring((GetTickCount() - m_Start) / 1000.0) + L" s\n" + m_Failures;
}
