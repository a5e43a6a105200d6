#pragma once
// The entry managers of the teaching aids menu: View, Delete, Modify and Define (or Create)
// for the entries of one source of the data file. HypertextManager manages hypertext links
// (links are defined from the chapter editor, so it has no Define), ProgramEntryManager executables
// or utilities, WindowTextManager window texts. Each button hides the manager while it works and
// enables View, Delete and Modify afterwards by what the data file now holds.
#include <QDialog>
#include <memory>
#include <string>
#include <string_view>

#include "aids/entry_rules.h"

class QPushButton;

namespace Ui {
class EntryManager;
}

namespace quill {

struct AidsContext;

// Lets the author pick a name of the source in the entry list picker; empty when there is no
// such entry or nothing was chosen.
std::string SelectEntry(AidsContext& context, std::string_view source, const QString& prompt,
                        QWidget* parent = nullptr);

// Window name (its objectName): TEntryManagerForm.
class EntryManager : public QDialog {
    Q_OBJECT
public:
    ~EntryManager() override;

    const ManagerSpec& Spec() const { return spec_; }
    QPushButton* ViewBtn() const;
    QPushButton* DeleteBtn() const;
    QPushButton* ModifyBtn() const;
    QPushButton* DefineBtn() const;

    void RefreshManagerButtons();
    void ViewBtnClick();
    void DeleteBtnClick();
    void ModifyBtnClick();
    void DefineBtnClick();

protected:
    EntryManager(AidsContext& context, std::string_view source, QWidget* parent);
    // What View does with the chosen name, and the editor of the source.
    virtual void View(const std::string& name);
    virtual void Edit(const std::string& name) = 0;

    AidsContext& context_;

private:
    void Framed(void (EntryManager::*action)());

    const ManagerSpec& spec_;
    std::unique_ptr<Ui::EntryManager> ui_;
};

// Window name (its objectName): Thypermenuform.
class HypertextManager : public EntryManager {
    Q_OBJECT
public:
    explicit HypertextManager(AidsContext& context, QWidget* parent = nullptr);

protected:
    void Edit(const std::string& name) override;
};

// Window name (its objectName): TExUtMenuform.
class ProgramEntryManager : public EntryManager {
    Q_OBJECT
public:
    // `source` is "EXECUTE" or "UTILITY".
    ProgramEntryManager(AidsContext& context, std::string_view source, QWidget* parent = nullptr);
    // Closing the utility manager sets UtilitiesOn by the utilities in the data file and saves
    // the project.
    void done(int result) override;

protected:
    void Edit(const std::string& name) override;
};

// Window name (its objectName): TWinTextform.
class WindowTextManager : public EntryManager {
    Q_OBJECT
public:
    explicit WindowTextManager(AidsContext& context, QWidget* parent = nullptr);

protected:
    void View(const std::string& name) override;
    void Edit(const std::string& name) override;
};

// Opens the manager of the source, modally.
void OpenEntryManager(AidsContext& context, std::string_view source, QWidget* parent = nullptr);

}  // namespace quill
