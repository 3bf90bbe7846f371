#include "platform/ui/file_dialog.h"

#include <algorithm>
#include <cctype>
#include <cstring>
#include <vector>

#include "platform/files.h"
#include "platform/font/font.h"
#include "platform/message_box.h"
#include "platform/sjis.h"
#include "platform/test_controls.h"
#include "platform/ui/dialog_box.h"

namespace plat {
namespace {

constexpr uint16_t kIdFolder = 1101;
constexpr uint16_t kIdList = 1102;
constexpr uint16_t kIdName = 1103;
constexpr uint16_t kIdFilter = 1104;

FileDialogRequest gLastRequest;

// Paths here are absolute game paths with backslashes ("\home\user\game\data").
std::string Normalise(const std::string& path) {
  std::vector<std::string> parts;
  for (const std::string& c : SplitGamePath(path)) {
    if (c.empty() || c == ".") continue;
    if (c == "..") {
      if (!parts.empty()) parts.pop_back();
      continue;
    }
    parts.push_back(c);
  }
  std::string out;
  for (const std::string& c : parts) out += "\\" + c;
  return out.empty() ? "\\" : out;
}

std::string CurrentFolder() {
  std::string cur = CurrentDirectory();
  std::replace(cur.begin(), cur.end(), '/', '\\');
  return Normalise(cur);
}

std::string Join(const std::string& folder, const std::string& name) {
  if (IsAbsoluteGamePath(name)) return Normalise(name);
  return Normalise(folder + "\\" + name);
}

// Inside the current folder a path is given relative to it.
std::string GamePathOf(const std::string& abs) {
  const std::string cur = CurrentFolder();
  if (cur == "\\") return abs.substr(1);
  if (abs.size() > cur.size() && abs.compare(0, cur.size(), cur) == 0 && abs[cur.size()] == '\\')
    return abs.substr(cur.size() + 1);
  return abs;
}

std::string FolderShown(const std::string& abs) {
  const std::string cur = CurrentFolder();
  if (abs == cur) return ".\\";
  const std::string p = GamePathOf(abs);
  return p == "\\" ? p : p + "\\";
}

std::string LastComponent(const std::string& path) {
  std::vector<std::string> parts = SplitGamePath(path);
  while (!parts.empty() && parts.back().empty()) parts.pop_back();
  return parts.empty() ? std::string() : parts.back();
}

std::vector<std::string> SplitPatterns(const std::string& patterns) {
  std::vector<std::string> out;
  std::string p;
  for (size_t i = 0; i <= patterns.size(); ++i) {
    if (i == patterns.size() || patterns[i] == ';') {
      while (!p.empty() && p.front() == ' ') p.erase(p.begin());
      while (!p.empty() && p.back() == ' ') p.pop_back();
      if (!p.empty()) out.push_back(p);
      p.clear();
    } else {
      p += patterns[i];
    }
  }
  return out;
}

struct cFileDialog {
  OPENFILENAME* ofn = nullptr;
  bool save = false;
  bool english = false;
  bool multi = false;
  std::string folder;
  std::string filterName;
  std::vector<std::string> patterns;
  struct Entry {
    std::string name;
    bool folder = false;
  };
  std::vector<Entry> entries;
  HWND hwnd = 0;

  const char* Say(const char* ja, const char* en) const { return english ? en : ja; }

  int Ask(const std::string& text, unsigned type) {
    const std::string caption = ofn->lpstrTitle ? ofn->lpstrTitle : "";
    if (IsHeadless()) {
      ReportDialogLine("MessageBox [" + caption + "] " + text);
      return ScriptedAnswer(type);
    }
    return ShowMessageBoxInWindow(text.c_str(), caption.c_str(), type);
  }

  bool Matches(const std::string& name) const {
    if (patterns.empty()) return true;
    for (const std::string& p : patterns)
      if (MatchesPattern(name, p)) return true;
    return false;
  }

  void Fill() {
    entries.clear();
    if (folder != "\\") entries.push_back({"..", true});
    std::vector<Entry> files;
    for (const std::string& name : ListDirectory(folder)) {
      if (name.empty() || name[0] == '.') continue;
      const std::string path = Join(folder, name);
      if (DirectoryExists(path))
        entries.push_back({name, true});
      else if (Matches(name))
        files.push_back({name, false});
    }
    entries.insert(entries.end(), files.begin(), files.end());
    const HWND list = GetDlgItem(hwnd, kIdList);
    SendMessage(list, LB_RESETCONTENT, 0, 0);
    for (const Entry& e : entries) {
      const std::string shown = e.folder ? "[" + e.name + "]" : e.name;
      SendMessage(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(shown.c_str()));
    }
    SetDlgItemText(hwnd, kIdFolder, FolderShown(folder).c_str());
  }

  void Enter(const std::string& path) {
    folder = path;
    Fill();
  }

  // The names of the name field: one name, or several in double quotes.
  std::vector<std::string> Names() const {
    std::string text = WindowText(GetDlgItem(hwnd, kIdName));
    std::vector<std::string> names;
    if (text.find('"') != std::string::npos) {
      size_t i = 0;
      while ((i = text.find('"', i)) != std::string::npos) {
        const size_t end = text.find('"', i + 1);
        if (end == std::string::npos) break;
        if (end > i + 1) names.push_back(text.substr(i + 1, end - i - 1));
        i = end + 1;
      }
    } else {
      while (!text.empty() && text.back() == ' ') text.pop_back();
      while (!text.empty() && text.front() == ' ') text.erase(text.begin());
      if (!text.empty()) names.push_back(text);
    }
    return names;
  }

  // The name field follows the list's selection of files.
  void OnSelectionChange() {
    const HWND list = GetDlgItem(hwnd, kIdList);
    std::vector<std::string> chosen;
    for (size_t i = 0; i < entries.size(); ++i)
      if (!entries[i].folder && SendMessage(list, LB_GETSEL, i, 0)) chosen.push_back(entries[i].name);
    if (chosen.empty()) return;
    std::string text;
    if (chosen.size() == 1) {
      text = chosen[0];
    } else {
      for (const std::string& n : chosen) text += (text.empty() ? "\"" : " \"") + n + "\"";
    }
    SetDlgItemText(hwnd, kIdName, text.c_str());
  }

  bool CurrentIsFolder() const {
    const int i = static_cast<int>(SendMessage(GetDlgItem(hwnd, kIdList), LB_GETCURSEL, 0, 0));
    return i >= 0 && i < static_cast<int>(entries.size()) && entries[static_cast<size_t>(i)].folder;
  }

  void OnActivateEntry() {
    const int i = static_cast<int>(SendMessage(GetDlgItem(hwnd, kIdList), LB_GETCURSEL, 0, 0));
    if (i < 0 || i >= static_cast<int>(entries.size())) return;
    if (entries[static_cast<size_t>(i)].folder) {
      Enter(Join(folder, entries[static_cast<size_t>(i)].name));
      SetDlgItemText(hwnd, kIdName, "");
      return;
    }
    Accept();
  }

  bool Deliver(const std::vector<std::string>& paths) {
    std::string out;
    if (paths.size() == 1) {
      out = GamePathOf(paths[0]);
      out.push_back('\0');
    } else {
      out = GamePathOf(folder);
      out.push_back('\0');
      for (const std::string& p : paths) {
        out += LastComponent(p);
        out.push_back('\0');
      }
    }
    out.push_back('\0');
    if (!ofn->lpstrFile || out.size() > ofn->nMaxFile) {
      Ask(Say("パスが長すぎます。", "The path is too long."), MB_OK);
      return false;
    }
    std::memcpy(ofn->lpstrFile, out.data(), out.size());
    if (ofn->lpstrFileTitle && ofn->nMaxFileTitle > 0) {
      const std::string title = LastComponent(paths[0]);
      const size_t n = std::min<size_t>(title.size(), ofn->nMaxFileTitle - 1);
      std::memcpy(ofn->lpstrFileTitle, title.data(), n);
      ofn->lpstrFileTitle[n] = 0;
    }
    return true;
  }

  // OK: a folder named is entered; files are checked and returned.
  void Accept() {
    std::vector<std::string> names = Names();
    if (names.empty()) {
      OnActivateFolderSelection();
      return;
    }
    if (names.size() == 1) {
      const std::string path = Join(folder, names[0]);
      if (DirectoryExists(path)) {
        Enter(path);
        SetDlgItemText(hwnd, kIdName, "");
        return;
      }
    }
    if (!multi && names.size() > 1) names.resize(1);
    std::vector<std::string> paths;
    for (std::string name : names) {
      if (save && ofn->lpstrDefExt && *ofn->lpstrDefExt && LastComponent(name).find('.') == std::string::npos)
        name += std::string(".") + ofn->lpstrDefExt;
      const std::string path = Join(folder, name);
      const std::string shown = GamePathOf(path);
      if (!save && (ofn->Flags & OFN_FILEMUSTEXIST) && !FileExists(path)) {
        Ask(english ? "Cannot find \"" + shown + "\"." : std::string(SJ("「")) + shown + SJ("」が見つかりません。"),
            MB_OK);
        return;
      }
      if (save) {
        const std::string parent = Normalise(path + "\\..");
        if (!DirectoryExists(parent)) {
          Ask(english ? "The folder of \"" + shown + "\" does not exist."
                      : std::string(SJ("「")) + shown + SJ("」のフォルダがありません。"),
              MB_OK);
          return;
        }
        if ((ofn->Flags & OFN_OVERWRITEPROMPT) && FileExists(path) &&
            Ask(english ? "\"" + shown + "\" already exists.\nDo you want to replace it?"
                        : std::string(SJ("「")) + shown + SJ("」は既にあります。\n上書きしますか？"),
                MB_YESNO | MB_ICONWARNING | MB_DEFBUTTON2) != IDYES)
          return;
      }
      paths.push_back(path);
    }
    if (Deliver(paths)) EndDialog(hwnd, 1);
  }

  void OnActivateFolderSelection() {
    const int i = static_cast<int>(SendMessage(GetDlgItem(hwnd, kIdList), LB_GETCURSEL, 0, 0));
    if (i >= 0 && i < static_cast<int>(entries.size()) && entries[static_cast<size_t>(i)].folder) OnActivateEntry();
  }

  bool Answer(const std::string& answer) {
    if (answer.size() < 5) return false;
    std::string head = answer.substr(0, 5);
    for (char& c : head) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    if (head != "file:") return false;
    std::vector<std::string> names;
    std::string name;
    const std::string rest = Utf8ToSjis(answer.substr(5));
    for (size_t i = 0; i <= rest.size(); ++i) {
      if (i == rest.size() || rest[i] == '|') {
        if (!name.empty()) names.push_back(name);
        name.clear();
      } else {
        name += rest[i];
      }
    }
    std::string text;
    if (names.size() == 1) {
      text = names[0];
    } else {
      for (const std::string& n : names) text += (text.empty() ? "\"" : " \"") + n + "\"";
    }
    SetDlgItemText(hwnd, kIdName, text.c_str());
    Accept();
    return true;
  }
};

LRESULT FileDialogProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* fd = static_cast<cFileDialog*>(GetProp(hwnd, "FileDialog"));
  switch (message) {
    case WM_INITDIALOG: {
      fd = reinterpret_cast<cFileDialog*>(lParam);
      fd->hwnd = hwnd;
      SetProp(hwnd, "FileDialog", fd);
      fd->Fill();
      std::string proposal = fd->ofn->lpstrFile ? std::string(fd->ofn->lpstrFile) : std::string();
      SetDlgItemText(hwnd, kIdName, LastComponent(proposal).c_str());
      if ((fd->ofn->Flags & OFN_ENABLEHOOK) && fd->ofn->lpfnHook) {
        gLastRequest.hooked = true;
        fd->ofn->lpfnHook(hwnd, WM_INITDIALOG, 0, reinterpret_cast<LPARAM>(fd->ofn));
      }
      SetAnswerHandler(hwnd, [fd](HWND, const std::string& answer) { return fd->Answer(answer); });
      SetDialogReportText(hwnd, "FileDialog [" + WindowText(hwnd) + "] " + FolderShown(fd->folder) + " | " +
                                    fd->filterName);
      SetFocus(GetDlgItem(hwnd, proposal.empty() ? kIdList : kIdName));
      return 0;
    }
    case WM_COMMAND: {
      if (!fd) return 0;
      const unsigned id = LoWord(wParam), code = HiWord(wParam);
      if (id == IDOK) {
        // Enter on a folder of the list opens it, whatever the name field holds.
        if (GetFocus() == GetDlgItem(hwnd, kIdList) && fd->CurrentIsFolder())
          fd->OnActivateEntry();
        else
          fd->Accept();
      }
      if (id == IDCANCEL) EndDialog(hwnd, 0);
      if (id == kIdList && code == LBN_SELCHANGE) fd->OnSelectionChange();
      if (id == kIdList && code == LBN_DBLCLK) fd->OnActivateEntry();
      return 1;
    }
    case WM_CLOSE: EndDialog(hwnd, 0); return 1;
    default: return 0;
  }
}

bool Run(OPENFILENAME* ofn, bool save) {
  if (!ofn) return false;
  cFileDialog fd;
  fd.ofn = ofn;
  fd.save = save;
  fd.english = ofn->bEnglish;
  fd.multi = !save && (ofn->Flags & OFN_ALLOWMULTISELECT);
  if (ofn->lpstrFilter && *ofn->lpstrFilter) {
    fd.filterName = ofn->lpstrFilter;
    const char* patterns = ofn->lpstrFilter + fd.filterName.size() + 1;
    fd.patterns = SplitPatterns(patterns);
  }
  const std::string cur = CurrentFolder();
  std::string start = ofn->lpstrInitialDir && *ofn->lpstrInitialDir ? Join(cur, ofn->lpstrInitialDir) : cur;
  // A name proposed with a folder opens in that folder.
  const std::string proposal = ofn->lpstrFile ? ofn->lpstrFile : "";
  if (!proposal.empty() && proposal != LastComponent(proposal)) start = Normalise(Join(cur, proposal) + "\\..");
  fd.folder = DirectoryExists(start) ? start : cur;

  gLastRequest = FileDialogRequest{};
  gLastRequest.save = save;
  gLastRequest.flags = ofn->Flags;
  gLastRequest.folder = FolderShown(fd.folder);

  DialogTemplate t;
  t.style = WS_POPUP | WS_CAPTION | DS_MODALFRAME | DS_SETFONT;
  t.cx = 262;
  t.cy = 172;
  t.title = ofn->lpstrTitle && *ofn->lpstrTitle ? ofn->lpstrTitle
            : save                               ? fd.Say(SJ("名前を付けて保存"), "Save As")
                                                 : fd.Say(SJ("開く"), "Open");
  gLastRequest.title = t.title;
  t.fontFace = SJ("ＭＳ Ｐゴシック");
  using IC = ItemClass;
  t.items = {
      {0, IC::kStatic, SS_LEFT, 7, 7, 40, 9, fd.Say(SJ("場所:"), "Look in:")},
      {kIdFolder, IC::kStatic, SS_LEFT, 50, 7, 205, 9, ""},
      {kIdList, IC::kListBox, WS_TABSTOP | LBS_NOTIFY | (fd.multi ? LBS_EXTENDEDSEL : 0u), 7, 19, 248, 108, ""},
      {0, IC::kStatic, SS_LEFT, 7, 135, 48, 9, fd.Say(SJ("ファイル名:"), "File name:")},
      {kIdName, IC::kEdit, WS_TABSTOP | ES_AUTOHSCROLL, 57, 133, 140, 12, ""},
      {0, IC::kStatic, SS_LEFT, 7, 153, 48, 9, fd.Say(SJ("ファイルの種類:"), "Files of type:")},
      {kIdFilter, IC::kStatic, SS_LEFT, 57, 153, 140, 9, fd.filterName},
      {static_cast<uint16_t>(IDOK), IC::kButton, WS_TABSTOP | BS_DEFPUSHBUTTON, 205, 132, 50, 14,
       save ? fd.Say(SJ("保存"), "Save") : fd.Say(SJ("開く"), "Open")},
      {static_cast<uint16_t>(IDCANCEL), IC::kButton, WS_TABSTOP | BS_PUSHBUTTON, 205, 150, 50, 14,
       fd.Say(SJ("キャンセル"), "Cancel")},
  };
  return DialogBoxParam(t, ofn->hwndOwner, &FileDialogProc, reinterpret_cast<LPARAM>(&fd)) == 1;
}

}  // namespace

bool GetOpenFileName(OPENFILENAME* ofn) { return Run(ofn, false); }
bool GetSaveFileName(OPENFILENAME* ofn) { return Run(ofn, true); }

FileDialogRequest LastFileDialogRequest() { return gLastRequest; }

bool MatchesPattern(const std::string& name, const std::string& pattern) {
  // Both are taken a character at a time (a double-byte character is one), so that
  // ? takes a whole character and a second byte is never compared on its own.
  auto chars = [](const std::string& s) {
    std::vector<std::string> out;
    for (size_t i = 0; i < s.size();) {
      const size_t n = static_cast<size_t>(SjisCharBytes(s.data() + i, s.size() - i));
      out.push_back(s.substr(i, n));
      i += n;
    }
    return out;
  };
  const std::vector<std::string> nm = chars(name), pt = chars(pattern);
  // Letter case is ignored for single-byte characters only.
  auto same = [](const std::string& a, const std::string& b) {
    if (a.size() != 1 || b.size() != 1) return a == b;
    return std::tolower(static_cast<unsigned char>(a[0])) == std::tolower(static_cast<unsigned char>(b[0]));
  };
  // Iterative glob with one backtrack point for the last '*'.
  size_t n = 0, p = 0, star = std::string::npos, mark = 0;
  while (n < nm.size()) {
    if (p < pt.size() && (pt[p] == "?" || same(pt[p], nm[n]))) {
      ++n, ++p;
    } else if (p < pt.size() && pt[p] == "*") {
      star = p++;
      mark = n;
    } else if (star != std::string::npos) {
      p = star + 1;
      n = ++mark;
    } else {
      return false;
    }
  }
  while (p < pt.size() && pt[p] == "*") ++p;
  return p == pt.size();
}

}  // namespace plat
