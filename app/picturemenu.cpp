#include "app/picturemenu.h"

#include "app/announcer.h"
#include "app/picturepainter.h"
#include "app/widgetform.h"
#include "app/words.h"
#include "core/picture/svgpicture.h"
#include "core/twips.h"
#include "core/window/layout.h"

#include <QAction>
#include <QClipboard>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QMimeData>
#include <QPdfWriter>
#include <QPrintDialog>
#include <QPrinter>
#include <QSaveFile>
#include <QStandardPaths>

#include <array>

namespace {

// The formats a picture is saved in, in the order the save dialog offers them.
constexpr std::array<const char *, 3> formats{"svg", "png", "pdf"};

QString filterFor(const char *format, Language language)
{
    const QString upper = QString::fromLatin1(format).toUpper();
    return fromUtf8(texts::fill(Text::PictureFormat, language, {upper.toStdString()})) +
           QStringLiteral(" (*.") + QString::fromLatin1(format) + QLatin1Char(')');
}

// The entry's words without the dots that say it asks for more, for its dialog's title.
QString titleOf(const QString &entry)
{
    QString title = entry;
    if (title.endsWith(QChar(0x2026)))
        title.chop(1);
    return title;
}

QByteArray bytesOf(const std::string &text)
{
    return QByteArray(text.data(), qsizetype(text.size()));
}

// A PDF of one landscape A4 page with the picture on it.
bool writePdf(QIODevice &out, const picture::Drawing &drawing, const picture::Said &said)
{
    QPdfWriter pdf(&out);
    pdf.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Landscape,
                                  QMarginsF(10, 10, 10, 10), QPageLayout::Millimeter));
    pdf.setTitle(QString::fromStdString(said.title));
    pdf.setCreator(QString::fromStdString(said.software));
    QPainter painter;
    if (!painter.begin(&pdf))
        return false;
    picture::paintOnPage(painter, drawing, QRectF(QPointF(), QSizeF(pdf.width(), pdf.height())));
    return painter.end();
}

} // namespace

PictureMenu::PictureMenu(WidgetForm &form) : QObject(&form), form_(form), menu_(new QMenu(&form))
{
    const Language language = form.language();
    menu_->setTitle(words(Text::PictureMenu, language));
    menu_->setWindowTitle(menu_->title());
    menu_->setAccessibleName(words(Text::PictureMenu, language));
    copy_ = menu_->addAction(words(Text::CopyPicture, language), this, &PictureMenu::copy);
    save_ = menu_->addAction(words(Text::SavePicture, language), this, &PictureMenu::save);
    print_ = menu_->addAction(words(Text::PrintPicture, language), this, &PictureMenu::print);
    // The keys show beside the entries; the window takes them itself, so that a text box's own
    // Ctrl+C still copies its text.
    copy_->setShortcut(QKeySequence::Copy);
    save_->setShortcut(QKeySequence::Save);
    print_->setShortcut(QKeySequence::Print);
    for (QAction *action : {copy_, save_, print_})
        action->setShortcutContext(Qt::WidgetShortcut);
}

bool PictureMenu::available() const
{
    return !form_.canvasView().canvas().isBlank();
}

void PictureMenu::popup(QPoint global)
{
    for (QAction *action : {copy_, save_, print_})
        action->setEnabled(available());
    menu_->popup(global);
}

bool PictureMenu::keyPressed(QKeyEvent *event)
{
    void (PictureMenu::*action)() = nullptr;
    if (event->matches(QKeySequence::Copy))
        action = &PictureMenu::copy;
    else if (event->matches(QKeySequence::Save))
        action = &PictureMenu::save;
    else if (event->matches(QKeySequence::Print))
        action = &PictureMenu::print;
    if (!action || !available())
        return false;
    (this->*action)();
    return true;
}

picture::About PictureMenu::about() const
{
    return picture::aboutOf(form_, form_.language());
}

picture::Drawing PictureMenu::drawing() const
{
    std::vector<std::string> texts;
    texts.reserve(layout::controls.size()); // the captions' views stay where they point
    std::vector<picture::Shown> shown;
    for (const layout::Control &row : layout::controls) {
        const auto *box = qobject_cast<QLineEdit *>(form_.control(row.name));
        if (!box || !box->isVisible())
            continue;
        texts.push_back(box->text().toStdString());
        shown.push_back(
            {row.name, texts.back(), box->x() * twipsPerPixel, box->y() * twipsPerPixel});
    }
    return picture::drawingOf(form_.canvasView().canvas().kept(), shown);
}

QString PictureMenu::fileBaseName() const
{
    return QString::fromStdString(picture::fileBaseName(form_.language()));
}

void PictureMenu::say(const QString &text)
{
    Announcer::say(&form_, text);
}

void PictureMenu::failed(const QString &text)
{
    say(text);
    QMessageBox::warning(&form_, form_.windowTitle(), text);
}

void PictureMenu::copy()
{
    const picture::Drawing shown = drawing();
    const picture::About said = about();
    auto *data = new QMimeData;
    data->setData(QStringLiteral("image/svg+xml"), bytesOf(picture::svg(shown, said)));
    data->setData(QStringLiteral("image/png"), picture::png(shown, said));
    QGuiApplication::clipboard()->setMimeData(data);
    say(words(Text::PictureCopied, form_.language()));
}

void PictureMenu::save()
{
    const Language language = form_.language();
    QFileDialog dialog(&form_, titleOf(words(Text::SavePicture, language)));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    QStringList filters;
    for (const char *format : formats)
        filters << filterFor(format, language);
    dialog.setNameFilters(filters);
    dialog.setDefaultSuffix(QString::fromLatin1(formats[0]));
    QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog,
                     [&dialog, filters](const QString &filter) {
                         dialog.setDefaultSuffix(
                             QString::fromLatin1(formats[std::size_t(filters.indexOf(filter))]));
                     });
    QString folder = QStandardPaths::writableLocation(QStandardPaths::PicturesLocation);
    if (folder.isEmpty() || !QDir(folder).exists())
        folder = QDir::homePath();
    dialog.setDirectory(folder);
    dialog.selectFile(fileBaseName() + QStringLiteral(".svg"));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return;
    const QString path = dialog.selectedFiles().constFirst();
    QString format = QFileInfo(path).suffix().toLower();
    if (std::find(formats.begin(), formats.end(), format.toStdString()) == formats.end())
        format = QString::fromLatin1(formats[std::size_t(
            std::max<qsizetype>(0, filters.indexOf(dialog.selectedNameFilter())))]);

    const picture::Drawing shown = drawing();
    const picture::About said = about();
    QSaveFile file(path);
    bool written = file.open(QIODevice::WriteOnly);
    if (written && format == u"svg")
        written = file.write(bytesOf(picture::svg(shown, said))) >= 0;
    else if (written && format == u"png")
        written = file.write(picture::png(shown, said)) >= 0;
    else if (written)
        written = writePdf(file, shown, picture::said(said));
    const QString name = QDir::toNativeSeparators(path);
    if (!written || !file.commit()) {
        failed(fromUtf8(
            texts::fill(Text::PictureNotSaved, language,
                        {(name + QStringLiteral(": ") + file.errorString()).toStdString()})));
        return;
    }
    say(fromUtf8(texts::fill(Text::PictureSaved, language, {name.toStdString()})));
}

void PictureMenu::print()
{
    const picture::About said = about();
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageOrientation(QPageLayout::Landscape);
    printer.setDocName(fileBaseName());
    printer.setCreator(QString::fromStdString(picture::said(said).software));
    QPrintDialog dialog(&printer, &form_);
    dialog.setWindowTitle(titleOf(words(Text::PrintPicture, form_.language())));
    if (dialog.exec() != QDialog::Accepted)
        return;
    QPainter painter;
    const bool printed =
        painter.begin(&printer) &&
        (picture::paintOnPage(painter, drawing(),
                              QRectF(QPointF(), QSizeF(printer.width(), printer.height()))),
         painter.end());
    if (!printed)
        failed(words(Text::PictureNotPrinted, form_.language()));
}
