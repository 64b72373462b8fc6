#include "ui/help_window.h"

#include "ui/language.h"

#include "ui/ui_text.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTextBrowser>
#include <QTextDocument>
#include <QUrl>
#include <QVBoxLayout>

#include <algorithm>

namespace orvalis {

namespace {

constexpr qint64 kMaxPageBytes = 4 * 1024 * 1024;

// Every page of the folder, as paths relative to it, in name order.
QStringList Pages(const QString& folder) {
  QStringList pages;
  QDirIterator it(folder, {QStringLiteral("*.htm"), QStringLiteral("*.html")}, QDir::Files,
                  QDirIterator::Subdirectories);
  while (it.hasNext()) pages.append(QDir(folder).relativeFilePath(it.next()));
  std::sort(pages.begin(), pages.end());
  return pages;
}

// A page path with an optional "#anchor" as the browser's address.
QUrl PageUrl(const QString& folder, const QString& page) {
  QUrl url = QUrl::fromLocalFile(folder + QLatin1Char('/') + page.section(QLatin1Char('#'), 0, 0));
  const QString anchor = page.section(QLatin1Char('#'), 1);
  if (!anchor.isEmpty()) url.setFragment(anchor);
  return url;
}

bool PageHolds(const QString& path, const QString& text) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return false;
  QTextDocument document;
  document.setHtml(QString::fromUtf8(file.read(kMaxPageBytes)));
  return document.toPlainText().contains(text, Qt::CaseInsensitive);
}

}  // namespace

TfrmHelp::TfrmHelp(QWidget* parent) : QWidget(parent, Qt::Window) {
  setObjectName(QStringLiteral("frmHelp"));
  setAttribute(Qt::WA_DeleteOnClose);
  resize(720, 560);
  browser = new QTextBrowser;
  browser->setObjectName(QStringLiteral("browser"));
  browser->setOpenExternalLinks(true);
  btnContents = new QPushButton;
  btnBack = new QPushButton;
  btnForward = new QPushButton;
  edtSearch = new QLineEdit;
  edtSearch->setObjectName(QStringLiteral("edtSearch"));
  btnSearch = new QPushButton;
  lblSearchResult = new QLabel;
  btnBack->setEnabled(false);
  btnForward->setEnabled(false);

  auto* bar = new QHBoxLayout;
  bar->addWidget(btnContents);
  bar->addWidget(btnBack);
  bar->addWidget(btnForward);
  bar->addStretch(1);
  bar->addWidget(edtSearch, 1);
  bar->addWidget(btnSearch);
  bar->addWidget(lblSearchResult);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(bar);
  layout->addWidget(browser, 1);

  connect(btnContents, &QPushButton::clicked, this,
          [this] { ShowPage(fFolder, QStringLiteral("index.htm")); });
  connect(btnBack, &QPushButton::clicked, browser, &QTextBrowser::backward);
  connect(btnForward, &QPushButton::clicked, browser, &QTextBrowser::forward);
  connect(browser, &QTextBrowser::backwardAvailable, btnBack, &QPushButton::setEnabled);
  connect(browser, &QTextBrowser::forwardAvailable, btnForward, &QPushButton::setEnabled);
  connect(browser, &QTextBrowser::sourceChanged, this, [this] {
    setWindowTitle(Ui(tText::frmHelp_self_caption) + QStringLiteral(" – ") +
                   browser->documentTitle());
  });
  const auto search = [this] {
    if (edtSearch->text().isEmpty()) return;
    lblSearchResult->setText(Find(edtSearch->text()) ? QString() : Ui(tText::HelpTextNotFound));
  };
  connect(btnSearch, &QPushButton::clicked, this, search);
  connect(edtSearch, &QLineEdit::returnPressed, this, search);
  OnLanguage(this, [this] { ApplyTexts(); });
}

void TfrmHelp::FollowFolder(const QString& folder) {
  if (fFolder.isEmpty() || folder == fFolder) return;
  const QUrl source = browser->source();
  QString page = QDir(fFolder).relativeFilePath(source.toLocalFile());
  if (source.hasFragment()) page += QLatin1Char('#') + source.fragment();
  ShowPage(folder, page);
}

void TfrmHelp::ApplyTexts() {
  setWindowTitle(Ui(tText::frmHelp_self_caption));
  btnContents->setText(Ui(tText::frmHelp_btnContents_caption));
  btnBack->setText(Ui(tText::frmHelp_btnBack_caption));
  btnForward->setText(Ui(tText::frmHelp_btnForward_caption));
  btnSearch->setText(Ui(tText::frmHelp_btnSearch_caption));
  edtSearch->setPlaceholderText(Ui(tText::frmHelp_edtSearch_hint));
}

void TfrmHelp::ShowPage(const QString& folder, const QString& page) {
  if (folder != fFolder) {
    fFolder = folder;
    browser->setSearchPaths({folder});
    browser->clearHistory();
  }
  browser->setSource(PageUrl(folder, page));
}

bool TfrmHelp::Find(const QString& text) {
  if (browser->find(text)) return true;
  const QStringList pages = Pages(fFolder);
  if (pages.isEmpty()) return false;
  const QString current = QDir(fFolder).relativeFilePath(browser->source().toLocalFile());
  const qsizetype at = std::max<qsizetype>(pages.indexOf(current), 0);
  // The following pages first, then from the start up to this page again
  // (its beginning, above the cursor).
  for (qsizetype step = 1; step <= pages.size(); ++step) {
    const QString& page = pages[(at + step) % pages.size()];
    if (!PageHolds(fFolder + QLatin1Char('/') + page, text)) continue;
    browser->setSource(PageUrl(fFolder, page));
    browser->moveCursor(QTextCursor::Start);
    return browser->find(text);
  }
  return false;
}

}  // namespace orvalis
