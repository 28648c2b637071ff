#include "app/AboutDialog.h"

#include "app/ProgramInfo.h"

#include <QApplication>
#include <QDesktopServices>
#include <QDialogButtonBox>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QUrl>
#include <QVBoxLayout>

namespace app {

namespace {

constexpr int SchemeLength = 7;  // "mailto:", "http://"

const char *const LicenceStatement =
    "Tamarel is free software, released under the MIT License.\n"
    "Permission is hereby granted, free of charge, to any person obtaining a copy of this "
    "software, to deal in it without restriction, including the rights to use, copy, modify, "
    "merge, publish and distribute it, provided the copyright notice is kept.\n"
    "The software is provided \"as is\", without warranty of any kind.";

QLabel *Link(const QString &text, Qt::Alignment alignment, QWidget *parent)
{
    auto *label = new QLabel(text, parent);
    label->setStyleSheet(QStringLiteral("color: navy; text-decoration: underline;"));
    label->setCursor(Qt::PointingHandCursor);
    label->setAlignment(alignment);
    return label;
}

// A label that reports clicks, for the two links.
class TClickFilter : public QObject {
public:
    TClickFilter(QObject *parent, std::function<void()> onClick)
        : QObject(parent), fOnClick(std::move(onClick)) {}

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::MouseButtonRelease)
            fOnClick();
        return false;
    }

private:
    std::function<void()> fOnClick;
};

} // namespace

TdlgAbout::TdlgAbout(QWidget *owner, const QString &extra) : QDialog(owner)
{
    const TVersionInfo info = ProgramVersionInfo();
    setObjectName(QStringLiteral("dlgAbout"));
    setWindowTitle(QStringLiteral("%1....").arg(QStringLiteral("About")));
    setFixedSize(456, 316);
    setStyleSheet(QStringLiteral("TdlgAbout, QDialog { background-color: #FEFFEE; }"));

    auto *icon = new QLabel(this);
    icon->setPixmap(QApplication::windowIcon().pixmap(32, 32));
    lProduct = new QLabel(info.ProductName, this);
    QFont productFont(QStringLiteral("Tahoma"), 18, QFont::Bold);
    lProduct->setFont(productFont);
    lVer = new QLabel(QStringLiteral("%1 %2").arg(QStringLiteral("Version"), info.Version).trimmed(), this);
    QFont bold = lVer->font();
    bold.setBold(true);
    lVer->setFont(bold);
    lDesc = new QLabel(info.Comments.isEmpty() ? info.Description : info.Comments, this);
    lDesc->setWordWrap(true);
    lDesc->setStyleSheet(QStringLiteral("color: navy;"));
    auto *picture = new QLabel(this);
    picture->setObjectName(QStringLiteral("Image1"));
    picture->setPixmap(QIcon(QStringLiteral(":/icons/about-picture.svg")).pixmap(109, 56));

    auto *panel = new QFrame(this);
    panel->setObjectName(QStringLiteral("Panel1"));
    panel->setFrameShape(QFrame::Box);
    panel->setStyleSheet(QStringLiteral("#Panel1 { background: white; }"));
    mLic = new QPlainTextEdit(panel);
    mLic->setReadOnly(true);
    mLic->setFrameShape(QFrame::NoFrame);
    QString licence = QString::fromUtf8(LicenceStatement);
    if (!extra.isEmpty())
        licence += QLatin1Char('\n') + extra;
    mLic->setPlainText(licence);
    mLic->moveCursor(QTextCursor::Start);
    lEmail = Link(MakerEmailLink.mid(SchemeLength), Qt::AlignLeft, panel);
    lWWW = Link(MakerHomePageLink.mid(SchemeLength), Qt::AlignRight, panel);
    lEmail->installEventFilter(new TClickFilter(lEmail, [this] { cmEmail(); }));
    lWWW->installEventFilter(new TClickFilter(lWWW, [this] { cmHomepage(); }));
    auto *panelLayout = new QVBoxLayout(panel);
    panelLayout->addWidget(mLic, 1);
    auto *links = new QHBoxLayout;
    links->addWidget(lEmail);
    links->addStretch();
    links->addWidget(lWWW);
    panelLayout->addLayout(links);

    lCR = new QLabel(info.Copyright, this);
    lCR->setStyleSheet(QStringLiteral("color: grey;"));
    lOS2 = new QLabel(CurrentOperatingSystemLine().trimmed(), this);
    lOS2->setStyleSheet(QStringLiteral("color: teal;"));
    lOS2->setAlignment(Qt::AlignRight);

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    QPushButton *ok = buttons->button(QDialogButtonBox::Ok);
    ok->setObjectName(QStringLiteral("Button2"));
    ok->setDefault(true);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);

    auto *layout = new QVBoxLayout(this);
    auto *top = new QHBoxLayout;
    top->addWidget(icon, 0, Qt::AlignTop);
    auto *texts = new QVBoxLayout;
    texts->addWidget(lProduct);
    texts->addWidget(lVer);
    texts->addWidget(lDesc);
    top->addLayout(texts, 1);
    top->addWidget(picture, 0, Qt::AlignTop);
    layout->addLayout(top);
    layout->addWidget(panel, 1);
    auto *bottom = new QHBoxLayout;
    bottom->addWidget(lCR);
    bottom->addStretch();
    bottom->addWidget(lOS2);
    layout->addLayout(bottom);
    auto *line = new QFrame(this);
    line->setFrameShape(QFrame::HLine);
    layout->addWidget(line);
    layout->addWidget(buttons);
}

void TdlgAbout::cmEmail()
{
    QDesktopServices::openUrl(QUrl(MakerEmailLink));
}

void TdlgAbout::cmHomepage()
{
    QDesktopServices::openUrl(QUrl(MakerHomePageLink));
}

void ShowAbout(QWidget *owner, const QString &extra)
{
    TdlgAbout dialog(owner, extra);
    // Centred on the screen, not over its owner, where a dialog box goes
    // unless it has been placed.
    if (const QScreen *screen = owner ? owner->screen() : QGuiApplication::primaryScreen()) {
        QRect placed(QPoint(), dialog.size());
        placed.moveCenter(screen->availableGeometry().center());
        dialog.setGeometry(placed);
    }
    dialog.exec();
}

} // namespace app
