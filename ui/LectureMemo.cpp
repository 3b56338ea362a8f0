#include "ui/LectureMemo.h"

#include <QFont>
#include <QScrollBar>
#include <QStyle>
#include <QStyleOptionSlider>
#include <QTextBlock>
#include <QTextCursor>

#include <optional>

namespace {

// A scroll bar that is repainted only when what it shows changes. Past a few hundred
// lines every batch moves the range and the value but leaves the slider where it was,
// at its smallest and at the bottom: repainting both bars for each batch was most of
// the memo's cost during a transfer.
class MemoScrollBar : public QScrollBar {
public:
    using QScrollBar::QScrollBar;

protected:
    void sliderChange(SliderChange change) override {
        if (change != SliderRangeChange && change != SliderValueChange) {
            QScrollBar::sliderChange(change);
            return;
        }
        // A batch moves the range and then the value: only the look after both counts.
        if (m_checkQueued)
            return;
        m_checkQueued = true;
        QMetaObject::invokeMethod(
            this,
            [this] {
                m_checkQueued = false;
                if (!m_drawn || *m_drawn != look())
                    update();
            },
            Qt::QueuedConnection);
    }

    void paintEvent(QPaintEvent* event) override {
        m_drawn = look();
        QScrollBar::paintEvent(event);
    }

private:
    struct Look {
        QRect slider;
        bool atMinimum;
        bool atMaximum;
        bool operator==(const Look&) const = default;
    };

    Look look() const {
        QStyleOptionSlider option;
        initStyleOption(&option);
        return {style()->subControlRect(QStyle::CC_ScrollBar, &option, QStyle::SC_ScrollBarSlider,
                                        this),
                value() == minimum(), value() == maximum()};
    }

    std::optional<Look> m_drawn;
    bool m_checkQueued = false;
};

// Ten batches a second read as a smooth scroll; every batch repaints the visible rows,
// so more often costs the transfer processor time for nothing the eye can follow.
constexpr int kMemoFlushMs = 100;

const char* const kUpdateRequest = SIGNAL(updateRequest(QRectF));
const char* const kRepaintContents = SLOT(_q_repaintContents(QRectF));

} // namespace

LectureMemo::LectureMemo(QWidget* parent) : QPlainTextEdit(parent) {
    setObjectName(QStringLiteral("MemoLecture"));
    setVerticalScrollBar(new MemoScrollBar(Qt::Vertical, this));
    setHorizontalScrollBar(new MemoScrollBar(Qt::Horizontal, this));
    setReadOnly(true);
    setUndoRedoEnabled(false);
    setLineWrapMode(QPlainTextEdit::NoWrap);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    // The scroll area lays its children out again after every change of a bar's range, to
    // show or hide the bars, and raises both bars on the way, which repaints them whole.
    // Bars that are always on never need it; a resize still lays them out.
    if (metaObject()->indexOfSlot("_q_showOrHideScrollBars()") >= 0) {
        for (QScrollBar* bar : {verticalScrollBar(), horizontalScrollBar()})
            disconnect(bar, SIGNAL(rangeChanged(int, int)), this, SLOT(_q_showOrHideScrollBars()));
    }
    // Whoever paints the text: found by its class, since the edit does not hand it out.
    for (QObject* child : children()) {
        if (child->inherits("QWidgetTextControl") &&
            metaObject()->indexOfSlot("_q_repaintContents(QRectF)") >= 0) {
            m_textControl = child;
            break;
        }
    }
    m_flushTimer.setSingleShot(true);
    m_flushTimer.setInterval(kMemoFlushMs);
    connect(&m_flushTimer, &QTimer::timeout, this, &LectureMemo::flush);
}

// The fixed-pitch font costs a font engine of its own and a fallback lookup: paid when the
// memo is first seen, not at the program's start.
void LectureMemo::showEvent(QShowEvent* event) {
    if (!m_fontSet) {
        m_fontSet = true;
        QFont courier(QStringLiteral("Courier"));
        courier.setStyleHint(QFont::TypeWriter);
        courier.setFixedPitch(true);
        setFont(courier);
    }
    QPlainTextEdit::showEvent(event);
}

void LectureMemo::clearLines() {
    m_flushTimer.stop();
    m_pending.clear();
    m_shownLines = 0;
    clear();
}

void LectureMemo::appendLine(const QString& line) {
    m_pending.append(line);
    if (!m_flushTimer.isActive())
        m_flushTimer.start();
}

void LectureMemo::flush() {
    m_flushTimer.stop();
    if (m_pending.isEmpty())
        return;
    // One block per line; a single insertion keeps the document's layout work to one pass.
    // An empty document already holds one (empty) block: the first line goes into it, so
    // an empty first line (a silent identity request) still counts as a line.
    const int firstNewBlock = m_shownLines > 0 ? blockCount() : 0;
    const bool quiet = m_textControl && isVisible() &&
                       disconnect(m_textControl, kUpdateRequest, this, kRepaintContents);
    QTextCursor end(document());
    // Outside an edit block the cursor lays out and shapes the last line after each move,
    // only to remember its x position.
    end.beginEditBlock();
    end.movePosition(QTextCursor::End);
    const QString batch = m_pending.join(u'\n');
    end.insertText(m_shownLines > 0 ? u'\n' + batch : batch);
    end.endEditBlock();
    if (quiet)
        connect(m_textControl, kUpdateRequest, this, kRepaintContents);
    m_shownLines += m_pending.size();
    m_pending.clear();
    // Scrolling moves the rows already drawn; only the new ones are drawn afresh.
    verticalScrollBar()->setValue(verticalScrollBar()->maximum());
    if (quiet)
        paintNewRows(firstNewBlock);
}

void LectureMemo::paintNewRows(int firstNewBlock) {
    const QTextBlock first = document()->findBlockByNumber(firstNewBlock);
    const int top =
        first.isValid()
            ? qMax(0, int(blockBoundingGeometry(first).translated(contentOffset()).top()))
            : 0;
    if (top < viewport()->height())
        viewport()->update(0, top, viewport()->width(), viewport()->height() - top);
}

QStringList LectureMemo::lines() const {
    QStringList result;
    if (m_shownLines > 0) {
        for (QTextBlock block = document()->begin(); block.isValid(); block = block.next())
            result.append(block.text());
    }
    return result + m_pending;
}
