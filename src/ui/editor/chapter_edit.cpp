#include "editor/chapter_edit.h"

#include <QHelpEvent>
#include <QRegularExpression>
#include <algorithm>
#include <QPainter>
#include <QTextBlock>
#include <QToolTip>

#include "text_codec.h"

namespace quill {

class LineNumberArea : public QWidget {
public:
    explicit LineNumberArea(ChapterEdit* edit) : QWidget(edit), edit_(edit) { setObjectName("LineNumbers"); }
    QSize sizeHint() const override { return {edit_->lineNumberAreaWidth(), 0}; }

protected:
    void paintEvent(QPaintEvent* event) override { edit_->paintLineNumbers(event); }

private:
    ChapterEdit* edit_;
};

namespace {

// Words of a line as the chapter language separates them.
QStringList Words(const QString& text) { return text.split(QRegularExpression("[ \\t]+"), Qt::SkipEmptyParts); }

}  // namespace

std::optional<QString> JumpLabelOf(const QString& lineText) {
    QString line = lineText;
    // The action of a match table or menu line.
    if (!line.startsWith('*') && !line.startsWith(':')) {
        const int semi = line.indexOf(';');
        if (semi < 0) return std::nullopt;
        const int star = line.indexOf('*', semi + 1);
        if (star < 0) return std::nullopt;
        line = line.mid(star);
    }
    while (line.endsWith(' ')) line.chop(1);
    if (line.startsWith(":JJ,", Qt::CaseSensitive)) return line.mid(4);
    if (line.startsWith(":JK,", Qt::CaseSensitive)) return line.mid(4).section(',', 0, 0);
    const QStringList words = Words(line);
    if (words.isEmpty()) return std::nullopt;
    const QString keyword = words[0].toUpper();
    if (keyword == "*JUMPTOLABEL") {
        // The label is the rest of the line.
        const int at = line.indexOf(words[0]) + words[0].size();
        return line.mid(at).trimmed();
    }
    if (keyword == "*JUMPANDRETURN" && words.size() > 1) return words[1];
    if (keyword == "*REJOINCHAPTER" && words.size() > 2) return line.mid(line.indexOf(words[2], line.indexOf(words[1]) + words[1].size()));
    return std::nullopt;
}

ChapterEdit::ChapterEdit(QWidget* parent) : QPlainTextEdit(parent), numbers_(new LineNumberArea(this)) {
    connect(this, &QPlainTextEdit::blockCountChanged, this, [this] { setViewportMargins(lineNumberAreaWidth(), 0, 0, 0); });
    connect(this, &QPlainTextEdit::updateRequest, this, [this](const QRect& rect, int dy) {
        if (dy) {
            numbers_->scroll(0, dy);
            updateMarks();  // the marks follow the lines shown
        } else
            numbers_->update(0, rect.y(), numbers_->width(), rect.height());
    });
    setViewportMargins(lineNumberAreaWidth(), 0, 0, 0);
}

int ChapterEdit::lineNumberAreaWidth() const {
    int digits = 1;
    for (int max = std::max(1, blockCount()); max >= 10; max /= 10) ++digits;
    return 8 + fontMetrics().horizontalAdvance(QLatin1Char('9')) * std::max(digits, 3);
}

void ChapterEdit::resizeEvent(QResizeEvent* event) {
    QPlainTextEdit::resizeEvent(event);
    const QRect r = contentsRect();
    numbers_->setGeometry(QRect(r.left(), r.top(), lineNumberAreaWidth(), r.height()));
    updateMarks();
}

void ChapterEdit::paintLineNumbers(QPaintEvent* event) {
    QPainter painter(numbers_);
    painter.fillRect(event->rect(), QColor(236, 236, 236));
    QTextBlock block = firstVisibleBlock();
    int top = qRound(blockBoundingGeometry(block).translated(contentOffset()).top());
    const int height = fontMetrics().height();
    while (block.isValid() && top <= event->rect().bottom()) {
        const int bottom = top + qRound(blockBoundingRect(block).height());
        if (block.isVisible() && bottom >= event->rect().top()) {
            const int line = block.blockNumber() + 1;
            auto found = problems_.find(line);
            if (found != problems_.end()) {
                const bool error = std::any_of(found->second.begin(), found->second.end(),
                                               [](const ScriptProblem& p) { return !p.warning; });
                painter.fillRect(0, top, numbers_->width(), height, error ? QColor(255, 200, 200) : QColor(255, 235, 180));
            }
            if (unreached_.count(line)) painter.fillRect(0, top, 3, height, QColor(200, 40, 40));
            painter.setPen(QColor(100, 100, 100));
            painter.drawText(0, top, numbers_->width() - 4, height, Qt::AlignRight, QString::number(line));
        }
        block = block.next();
        top = bottom;
    }
}

void ChapterEdit::setProblems(const std::vector<ScriptProblem>& problems) {
    problems_.clear();
    for (const auto& p : problems) problems_[static_cast<int>(p.line)].push_back(p);
    updateMarks();
    numbers_->update();
}

void ChapterEdit::setUnreached(std::map<int, QStringList> lines) {
    unreached_ = std::move(lines);
    numbers_->update();
}

QStringList ChapterEdit::problemsAt(int line) const {
    QStringList out;
    const auto found = problems_.find(line);
    if (found == problems_.end()) return out;
    for (bool warnings : {false, true})
        for (const auto& p : found->second)
            if (p.warning == warnings)
                out.push_back((warnings ? QStringLiteral("Warning: ") : QString()) +
                              FromCp1252(p.message).replace("\r\n", " "));
    return out;
}

void ChapterEdit::updateMarks() {
    // Only the lines in view (and a screenful around them) get their marks, so that a chapter
    // with thousands of problems costs no more to show than one with a few.
    QList<QTextEdit::ExtraSelection> marks;
    const int shown = std::max(1, viewport()->height() / std::max(1, fontMetrics().height()));
    const int first = std::max(1, firstVisibleBlock().blockNumber() + 1 - shown);
    const int last = first + 3 * shown;
    for (auto it = problems_.lower_bound(first); it != problems_.end() && it->first <= last; ++it) {
        const auto& [line, list] = *it;
        const QTextBlock block = document()->findBlockByNumber(line - 1);
        if (!block.isValid()) continue;
        const bool error = std::any_of(list.begin(), list.end(), [](const ScriptProblem& p) { return !p.warning; });
        QTextEdit::ExtraSelection mark;
        mark.format.setUnderlineStyle(QTextCharFormat::WaveUnderline);
        mark.format.setUnderlineColor(error ? Qt::red : QColor(230, 150, 0));
        mark.cursor = QTextCursor(block);
        mark.cursor.movePosition(QTextCursor::EndOfBlock, QTextCursor::KeepAnchor);
        if (!mark.cursor.hasSelection()) {
            // An empty line: underline the line end, so the mark still shows.
            mark.format.setProperty(QTextFormat::FullWidthSelection, true);
            mark.format.setBackground(error ? QColor(255, 225, 225) : QColor(255, 243, 210));
        }
        marks.push_back(mark);
    }
    setExtraSelections(marks);
}

bool ChapterEdit::event(QEvent* event) {
    if (event->type() == QEvent::ToolTip) {
        auto* help = static_cast<QHelpEvent*>(event);
        const QPoint at = viewport()->mapFromGlobal(help->globalPos());
        const int line = cursorForPosition(at).blockNumber() + 1;
        QStringList messages = problemsAt(line);
        if (const auto gaps = unreached_.find(line); gaps != unreached_.end())
            for (const QString& what : gaps->second) messages << QStringLiteral("Not reached: ") + what;
        if (messages.isEmpty())
            QToolTip::hideText();
        else
            QToolTip::showText(help->globalPos(), messages.join('\n'), this);
        return true;
    }
    return QPlainTextEdit::event(event);
}

void ChapterEdit::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_F12 && event->modifiers() == Qt::NoModifier) {
        goToLabelUnderCaret();
        return;
    }
    if (event->matches(QKeySequence::Redo) ||
        (event->key() == Qt::Key_Y && event->modifiers() == Qt::ControlModifier)) {
        redo();
        return;
    }
    QPlainTextEdit::keyPressEvent(event);
}

void ChapterEdit::goToLine(int line) {
    const QTextBlock block = document()->findBlockByNumber(std::max(line, 1) - 1);
    if (!block.isValid()) return;
    setTextCursor(QTextCursor(block));
    centerCursor();
}

bool ChapterEdit::goToLabelUnderCaret() {
    const auto label = JumpLabelOf(textCursor().block().text());
    if (!label) return false;
    const QString target = "@J" + *label;
    for (QTextBlock b = document()->begin(); b.isValid(); b = b.next()) {
        QString text = b.text();
        while (!text.isEmpty() && text.back().unicode() <= ' ') text.chop(1);
        if (text == target) {
            goToLine(b.blockNumber() + 1);
            return true;
        }
    }
    return false;
}

bool ChapterEdit::findText(const QString& text, bool backward, bool matchCase) {
    if (text.isEmpty()) return false;
    QTextDocument::FindFlags flags;
    if (backward) flags |= QTextDocument::FindBackward;
    if (matchCase) flags |= QTextDocument::FindCaseSensitively;
    QTextCursor found = document()->find(text, textCursor(), flags);
    if (found.isNull()) {
        QTextCursor wrap(document());
        if (backward) wrap.movePosition(QTextCursor::End);
        found = document()->find(text, wrap, flags);
    }
    if (found.isNull()) return false;
    setTextCursor(found);
    return true;
}

bool ChapterEdit::replaceNext(const QString& text, const QString& with, bool matchCase) {
    QTextCursor c = textCursor();
    if (c.hasSelection() &&
        QString::compare(c.selectedText(), text, matchCase ? Qt::CaseSensitive : Qt::CaseInsensitive) == 0)
        c.insertText(with);
    return findText(text, false, matchCase);
}

int ChapterEdit::replaceAll(const QString& text, const QString& with, bool matchCase) {
    if (text.isEmpty()) return 0;
    QTextDocument::FindFlags flags;
    if (matchCase) flags |= QTextDocument::FindCaseSensitively;
    int count = 0;
    QTextCursor edit(document());
    edit.beginEditBlock();
    QTextCursor found = document()->find(text, 0, flags);
    while (!found.isNull()) {
        found.insertText(with);
        ++count;
        found = document()->find(text, found, flags);
    }
    edit.endEditBlock();
    return count;
}

}  // namespace quill
