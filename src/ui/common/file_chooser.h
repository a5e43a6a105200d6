#pragma once
// The get-file family: the dialogs through which the author chooses a graphic, an image, a
// voice, a graphic with a sound, a program, a Windows program, an HTML page, a video or a MIDI
// file of the project. Each lists the matching files of the project folder, fetches a file
// from anywhere with "&Find File" (offering to copy it into the project folder, never over an
// existing file), previews the choice with "&View", refuses "&OK" while nothing is chosen, and
// returns bare names (Windows-1252) and the media text built from them.
//
// FileChooser is the shared base: one or two FileGroup boxes (edit field, file list, find
// button), optional extra fields, and "&View", "&OK", "&Cancel". The members only say what
// their groups are, what "&View" does and what they return.
#include <QDialog>
#include <QGroupBox>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

class QLineEdit;
class QListWidget;
class QPushButton;
class QFormLayout;

namespace quill {

struct AidsContext;

// The bare names of the project files matching any of the masks ("*.BMP;*.JPG"), ignoring
// case, sorted by upper-cased name.
std::vector<std::string> ListByMasks(const std::filesystem::path& folder, const std::string& masks);
// The first project file of the first mask that matches any ("*.jpg" before "*.bmp"); empty
// when none does.
std::string FirstMatchingFile(const std::filesystem::path& folder, const std::vector<std::string>& masks);
// The file a chooser is opened with: `current` when it is not empty (and, with replaceMissing,
// names a file of the project folder); otherwise the first file of the masks, or `current`
// when no file matches.
std::string OfferedFile(const std::filesystem::path& folder, const std::string& current,
                        const std::vector<std::string>& masks, bool replaceMissing);

// What one group of a chooser is.
struct FileGroupSpec {
    QString title;                          // " Select .BMP or .JPG Graphic  "
    std::string listMask;                   // "*.BMP;*.JPG"; empty: no file list
    QString findFilter;                     // "Graphic Files|*.JPG;*.BMP"; empty: no find button
    QString findCaption = "&Find File";
    std::vector<std::string> defaultMasks;  // the default when nothing is chosen
    QString emptyMessage;                   // "No Graphic file has been selected"
    int maxLength = 150;
    QString prefix;                         // object names: prefix + "FileEdit", "FileListBox", "FindBtn"
    bool mustExist = false;                 // OK refuses a typed name that is not a file of the folder
};

// A group box with the chosen name, the file list of the project folder and the find button.
class FileGroup : public QGroupBox {
    Q_OBJECT
public:
    FileGroup(AidsContext& context, FileGroupSpec spec, const std::string& initial, QWidget* parent);
    std::string Choice() const;  // trimmed, Windows-1252
    void SetChoice(const std::string& name);
    const FileGroupSpec& Spec() const { return spec_; }
    // Lists the project files again.
    void Refresh();
    void FindBtnClick();
    QLineEdit* Edit() const { return FileEdit_; }
    QListWidget* List() const { return FileListBox_; }

signals:
    void ChoiceChanged();

private:
    void MarkChoiceInList();

    AidsContext& context_;
    FileGroupSpec spec_;
    QLineEdit* FileEdit_ = nullptr;
    QListWidget* FileListBox_ = nullptr;
    QPushButton* FindBtn_ = nullptr;
};

class FileChooser : public QDialog {
    Q_OBJECT
public:
    void ViewBtnClick();
    void OKBtnClick();
    FileGroup* Group(int index) const { return groups_.at(static_cast<std::size_t>(index)); }

protected:
    FileChooser(AidsContext& context, int helpTopic, QWidget* parent);
    FileGroup* AddGroup(const FileGroupSpec& spec, const std::string& initial);
    // "Duration (1/10th sec)", at most 4 characters.
    void AddDuration(int duration);
    QLineEdit* AddField(const QString& label, const QString& objectName, const QString& text, int maxLength);
    // Adds the buttons; called last by each member's constructor.
    void FinishLayout();
    // What "&View" does with the current choice.
    virtual void View() = 0;
    // The duration field as a number; an empty field becomes "0", a field that is not a
    // number (or is negative) gives "That is not a valid number" and becomes "0".
    int CheckedDuration();
    int Duration() const;

    AidsContext& context_;

private:
    void UpdateView();
    std::vector<FileGroup*> groups_;
    QFormLayout* fields_ = nullptr;
    QLineEdit* DurationEdit_ = nullptr;
    QPushButton* ViewBtn_ = nullptr;
};

// The graphic chooser: a graphic and a duration; returns the graphic spec "NAME,DURATION".
// Window name (its objectName): TGetGraphicForm.
class GraphicChooser : public FileChooser {
    Q_OBJECT
public:
    GraphicChooser(AidsContext& context, const std::string& name, int duration, QWidget* parent = nullptr);
    std::string FileName() const;
    int DurationValue() const { return Duration(); }
    std::string Spec() const;

protected:
    void View() override;
};

// The image chooser of "*ScreenImage" and "*ShowImage": a graphic, starting empty.
// Window name (its objectName): TGetImageForm.
class ImageChooser : public FileChooser {
    Q_OBJECT
public:
    explicit ImageChooser(AidsContext& context, QWidget* parent = nullptr);
    std::string FileName() const;

protected:
    void View() override;
};

// The voice chooser: a .WAV file; "&View" plays it.
// Window name (its objectName): TGetAudioForm.
class VoiceChooser : public FileChooser {
    Q_OBJECT
public:
    VoiceChooser(AidsContext& context, const std::string& name, QWidget* parent = nullptr);
    std::string FileName() const;

protected:
    void View() override;
};

// The graphic-and-sound chooser: returns "GRAPHIC,SOUND,DURATION".
// Window name (its objectName): TGetGrAudioForm.
class GraphicSoundChooser : public FileChooser {
    Q_OBJECT
public:
    GraphicSoundChooser(AidsContext& context, const std::string& graphic, const std::string& sound, int duration,
                    QWidget* parent = nullptr);
    std::string GraphicName() const;
    std::string SoundName() const;
    int DurationValue() const { return Duration(); }
    std::string Spec() const;

protected:
    void View() override;
};

// The executable chooser: a program and its parameters; returns "PROGRAM" or
// "PROGRAM,PARAMETERS". An incoming spec is split at its first ",".
// Window name (its objectName): TGetExeForm.
class ProgramChooser : public FileChooser {
    Q_OBJECT
public:
    ProgramChooser(AidsContext& context, const std::string& spec, QWidget* parent = nullptr);
    std::string FileName() const;
    std::string Parameters() const;
    std::string Spec() const;

protected:
    void View() override;

private:
    QLineEdit* ParamEdit_ = nullptr;
};

// The Windows program chooser: one typed text ("PROGRAM FILE"), at most 50 characters.
// Window name (its objectName): TGetWinExeForm.
class WindowsProgramChooser : public FileChooser {
    Q_OBJECT
public:
    WindowsProgramChooser(AidsContext& context, const std::string& text, QWidget* parent = nullptr);
    std::string Text() const;

protected:
    void View() override;
};

// The HTML chooser: "&View" opens the page with the desktop's handler.
// Window name (its objectName): TGetHTMForm.
class HtmlPageChooser : public FileChooser {
    Q_OBJECT
public:
    HtmlPageChooser(AidsContext& context, const std::string& name, QWidget* parent = nullptr);
    std::string FileName() const;

protected:
    void View() override;
};

// The video chooser of the hypertext editor: an .AVI file.
// Window name (its objectName): TGetVideoForm.
class VideoChooser : public FileChooser {
    Q_OBJECT
public:
    VideoChooser(AidsContext& context, const std::string& name, QWidget* parent = nullptr);
    std::string FileName() const;

protected:
    void View() override;
};

// The MIDI chooser of the hypertext editor: a .MID file.
// Window name (its objectName): TGetMidiForm.
class MidiChooser : public FileChooser {
    Q_OBJECT
public:
    MidiChooser(AidsContext& context, const std::string& name, QWidget* parent = nullptr);
    std::string FileName() const;

protected:
    void View() override;
};

// --- One chooser for each kind of media ----------------------------------------------------------

// The members of the get-file family that the chapter builders, the command type chooser and
// the hypertext editor open by the kind of media. The answer is what the chooser returns: a
// bare name, or its spec ("NAME,DURATION", "GRAPHIC,SOUND,DURATION", "PROGRAM,PARAMETERS").
enum class ChooserKind {
    Image,
    Graphic,
    Audio,
    GraphicAndSound,
    Executable,
    WindowsProgram,
    Html,
    Video,
    Midi
};

// What a chooser is opened with and what it chose: the file (the graphic, sound, program,
// page, video or MIDI file; for a Windows program the typed text; for a program, the
// program and its parameters as one text), the sound of a graphic with a sound, the duration
// of a graphic, and (chosen only) the media text the chooser returns.
struct MediaChoice {
    std::string file;
    std::string sound;
    int duration = 0;
    std::string spec;
};

// The parts of a media text as the chooser of `kind` takes them: "NAME,DURATION" for a
// graphic, "GRAPHIC,SOUND,DURATION" for a graphic with a sound, the whole text otherwise. A
// duration that is not a number is 0.
MediaChoice MediaChoiceOfSpec(ChooserKind kind, std::string_view spec);

// Runs the chooser of `kind`, opened with `offered` (and, when `helpTopic` > 0, that help
// topic); nullopt when it is cancelled.
std::optional<MediaChoice> ChooseMedia(AidsContext& context, ChooserKind kind, const MediaChoice& offered,
                                       QWidget* parent, int helpTopic = 0);

}  // namespace quill
