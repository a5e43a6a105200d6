#pragma once
// The names of the controls that code outside their window reaches: the buttons whose actions
// a window leaves to others (SetAction) and the buttons other code asks for. Each is the
// control's objectName, which tests and snapshots find it by. A window takes these as a
// ControlName, not as text, so a misspelt name does not compile.
#include <QString>

namespace quill {

struct ControlName {
    const char* text;
    QString str() const { return QString::fromLatin1(text); }
    operator QString() const { return str(); }
};

namespace control {

// The main window's menu buttons.
inline constexpr ControlName SelectBtn{"SelectBtn"};
inline constexpr ControlName StartBtn{"StartBtn"};
inline constexpr ControlName ConfigBtn{"ConfigBtn"};
inline constexpr ControlName EditBtn{"EditBtn"};
inline constexpr ControlName ViewBtn{"ViewBtn"};
inline constexpr ControlName PreviewBtn{"PreviewBtn"};
inline constexpr ControlName CompileBtn{"CompileBtn"};
inline constexpr ControlName DistribBtn{"DistribBtn"};
inline constexpr ControlName ScreensBtn{"ScreensBtn"};
inline constexpr ControlName ToolsBtn{"ToolsBtn"};
inline constexpr ControlName CustProgBtn{"CustProgBtn"};
inline constexpr ControlName AboutBtn{"AboutBtn"};
inline constexpr ControlName HelpBtn{"HelpBtn"};
inline constexpr ControlName TutBtn{"TutBtn"};
inline constexpr ControlName QuitBtn{"QuitBtn"};

// The chapter editor's controls whose actions the command windows and the teaching aids give.
inline constexpr ControlName TextColorBtn{"TextColorBtn"};
inline constexpr ControlName TextBackBtn{"TextBackBtn"};
inline constexpr ControlName CommandsCombo{"CommandsCombo"};
inline constexpr ControlName DefineHyperBtn{"DefineHyperBtn"};

}  // namespace control

}  // namespace quill
