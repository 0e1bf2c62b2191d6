#include "ProjectCreationDialog.h"

#include "creation/WizardTexts.h"
#include "model/DeviceCatalogue.h"

#include <QComboBox>
#include <QFileInfo>
#include <QFormLayout>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QStackedWidget>
#include <QThread>
#include <QVBoxLayout>

namespace hesk::app {

namespace {

constexpr int kDevicePage = 0;
constexpr int kInputsPage = 1;

QPushButton* button(const QString& text, const char* name, QWidget* parent)
{
    auto* b = new QPushButton(text, parent);
    b->setObjectName(QLatin1String(name));
    b->setAutoDefault(false);
    return b;
}

QLineEdit* pathEdit(const char* name, QWidget* parent)
{
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(QLatin1String(name));
    // Wide enough for a path of a few folders; the window grows with the field.
    edit->setMinimumWidth(edit->fontMetrics().averageCharWidth() * 56);
    // A path shows what was read; it changes only through its button.
    edit->setReadOnly(true);
    return edit;
}

}  // namespace

ProjectCreationDialog::ProjectCreationDialog(model::UserPrompt& prompt, QWidget* parent)
    : QDialog(parent)
    , m_prompt(prompt)
{
    setWindowTitle(tr("创建工程"));

    // Page 1: the device.
    auto* devicePage = new QWidget(this);
    devicePage->setObjectName(QStringLiteral("devicePage"));
    m_typeCombo = new QComboBox(devicePage);
    m_typeCombo->setObjectName(QStringLiteral("deviceTypeCombo"));
    m_typeCombo->addItems(creation::creationDeviceTypes());
    m_versionCombo = new QComboBox(devicePage);
    m_versionCombo->setObjectName(QStringLiteral("deviceVersionCombo"));
    auto* deviceForm = new QFormLayout(devicePage);
    deviceForm->addRow(tr("设备类型："), m_typeCombo);
    deviceForm->addRow(tr("设备版本："), m_versionCombo);

    // Page 2: name, inputs and storage folder.
    auto* inputsPage = new QWidget(this);
    inputsPage->setObjectName(QStringLiteral("inputsPage"));
    m_nameEdit = new QLineEdit(inputsPage);
    m_nameEdit->setObjectName(QStringLiteral("projectNameEdit"));
    auto* hint = new QLabel(creation::wizard::projectNameHint(), inputsPage);
    hint->setObjectName(QStringLiteral("projectNameHint"));
    m_intermediateEdit = pathEdit("intermediatePathEdit", inputsPage);
    m_conversionEdit = pathEdit("conversionPathEdit", inputsPage);
    m_baseEdit = pathEdit("basePathEdit", inputsPage);
    m_storageEdit = pathEdit("storageFolderEdit", inputsPage);
    const QString browse = tr("浏览...");
    m_intermediateButton = button(browse, "intermediateButton", inputsPage);
    m_conversionButton = button(browse, "conversionButton", inputsPage);
    m_baseButton = button(browse, "baseButton", inputsPage);
    m_storageButton = button(browse, "storageButton", inputsPage);

    m_choiceText = new QLabel(inputsPage);
    m_choiceText->setObjectName(QStringLiteral("deviceChoiceText"));

    auto* grid = new QGridLayout(inputsPage);
    grid->addWidget(m_choiceText, 0, 0, 1, 3);
    grid->addWidget(new QLabel(tr("项目名称："), inputsPage), 1, 0);
    grid->addWidget(m_nameEdit, 1, 1);
    grid->addWidget(hint, 1, 2);
    const std::tuple<const char*, QLineEdit*, QPushButton*> rows[] = {
        {QT_TR_NOOP("中间文件："), m_intermediateEdit, m_intermediateButton},
        {QT_TR_NOOP("转换文件："), m_conversionEdit, m_conversionButton},
        {QT_TR_NOOP("Ubase文件："), m_baseEdit, m_baseButton},
        {QT_TR_NOOP("存储路径："), m_storageEdit, m_storageButton},
    };
    int row = 2;
    for (const auto& [label, edit, browseButton] : rows) {
        grid->addWidget(new QLabel(tr(label), inputsPage), row, 0);
        grid->addWidget(edit, row, 1);
        grid->addWidget(browseButton, row, 2);
        ++row;
    }
    grid->setColumnStretch(1, 1);

    m_pages = new QStackedWidget(this);
    m_pages->setObjectName(QStringLiteral("pages"));
    m_pages->addWidget(devicePage);
    m_pages->addWidget(inputsPage);

    m_busyText = new QLabel(this);
    m_busyText->setObjectName(QStringLiteral("busyText"));
    m_busyBar = new QProgressBar(this);
    m_busyBar->setObjectName(QStringLiteral("busyBar"));
    m_busyBar->setRange(0, 0);  // a step has no measurable progress: the bar runs
    m_busyBar->setTextVisible(false);
    // The busy line keeps its room while hidden and its height with any text: the
    // buttons never move under the pointer.
    m_busyText->setText(tr("正在创建工程..."));
    m_busyText->setFixedHeight(m_busyText->sizeHint().height());
    m_busyText->clear();
    for (QWidget* busy : {static_cast<QWidget*>(m_busyText), static_cast<QWidget*>(m_busyBar)}) {
        QSizePolicy policy = busy->sizePolicy();
        policy.setRetainSizeWhenHidden(true);
        busy->setSizePolicy(policy);
        busy->hide();
    }

    m_backButton = button(tr("上一步"), "backButton", this);
    m_nextButton = button(tr("下一步"), "nextButton", this);
    m_finishButton = button(tr("完成"), "finishButton", this);
    m_cancelButton = button(tr("取消"), "cancelButton", this);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    for (QPushButton* b : {m_backButton, m_nextButton, m_finishButton, m_cancelButton})
        buttons->addWidget(b);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_pages);
    layout->addWidget(m_busyText);
    layout->addWidget(m_busyBar);
    layout->addLayout(buttons);

    connect(m_typeCombo, &QComboBox::currentIndexChanged, this, &ProjectCreationDialog::fillVersions);
    connect(m_nextButton, &QPushButton::clicked, this, &ProjectCreationDialog::goNext);
    connect(m_backButton, &QPushButton::clicked, this, &ProjectCreationDialog::goBack);
    connect(m_finishButton, &QPushButton::clicked, this, &ProjectCreationDialog::finish);
    connect(m_cancelButton, &QPushButton::clicked, this, &ProjectCreationDialog::reject);
    connect(m_intermediateButton, &QPushButton::clicked, this, &ProjectCreationDialog::chooseIntermediateFile);
    connect(m_conversionButton, &QPushButton::clicked, this, &ProjectCreationDialog::chooseConversionWorkbook);
    connect(m_baseButton, &QPushButton::clicked, this, &ProjectCreationDialog::chooseBaseWorkbook);
    connect(m_storageButton, &QPushButton::clicked, this, &ProjectCreationDialog::chooseStorageFolder);

    fillVersions();
    showPage(kDevicePage);
}

ProjectCreationDialog::~ProjectCreationDialog()
{
    // A step still running uses the creation object: let it end first.
    if (m_worker) {
        m_worker->wait();
        delete m_worker;
    }
}

int ProjectCreationDialog::currentPage() const
{
    return m_pages->currentIndex();
}

void ProjectCreationDialog::fillVersions()
{
    m_versionCombo->clear();
    m_versionCombo->addItems(model::firmwareVersions(m_typeCombo->currentText()));
}

void ProjectCreationDialog::showPage(int page)
{
    m_pages->setCurrentIndex(page);
    setBusy(false);
}

void ProjectCreationDialog::goNext()
{
    if (isBusy() || currentPage() != kDevicePage)
        return;
    const QString type = m_typeCombo->currentText();
    const QString version = m_versionCombo->currentText();
    if (const auto invalid = creation::ProjectCreation::checkDeviceChoice(type, version)) {
        m_prompt.showMessage(*invalid);
        return;
    }
    // Another device starts over: what was read belongs to the previous choice.
    if (!m_creation || m_creation->deviceType() != type || m_creation->deviceVersion() != version)
        m_creation = std::make_unique<creation::ProjectCreation>(type, version);
    m_choiceText->setText(creation::wizard::deviceChoiceText(type, version));
    showPaths();
    showPage(kInputsPage);
}

void ProjectCreationDialog::goBack()
{
    if (isBusy() || currentPage() != kInputsPage)
        return;
    showPage(kDevicePage);
}

void ProjectCreationDialog::chooseIntermediateFile()
{
    if (isBusy() || !m_creation)
        return;
    model::FileDialogSpec spec;
    spec.title = tr("打开中间文件");
    spec.fileName = QString::fromUtf16(creation::wizard::kIntermediateDefaultName);
    spec.filter = creation::wizard::fileDialogFilter(creation::wizard::kIntermediateFilter);
    chooseAndRead(spec, tr("正在加载中间文件..."), &creation::ProjectCreation::loadIntermediate);
}

void ProjectCreationDialog::chooseConversionWorkbook()
{
    if (isBusy() || !m_creation)
        return;
    model::FileDialogSpec spec;
    spec.title = tr("打开转换文件");
    spec.fileName = QString::fromUtf16(creation::wizard::kConversionDefaultName);
    spec.filter = creation::wizard::fileDialogFilter(creation::wizard::kConversionFilter);
    chooseAndRead(spec, tr("正在读取转换文件..."), &creation::ProjectCreation::readConversionWorkbook);
}

void ProjectCreationDialog::chooseBaseWorkbook()
{
    if (isBusy() || !m_creation)
        return;
    model::FileDialogSpec spec;
    spec.title = tr("打开Ubase文件");
    spec.filter = creation::wizard::fileDialogFilter(creation::wizard::kBaseValueFilter);
    chooseAndRead(spec, tr("正在读取Ubase文件..."), &creation::ProjectCreation::readBaseWorkbook);
}

void ProjectCreationDialog::chooseAndRead(model::FileDialogSpec spec, const QString& statusText, ReadStep step)
{
    // The workbooks need the intermediate file: said before their file dialog opens.
    if (step != &creation::ProjectCreation::loadIntermediate) {
        if (const auto missing = m_creation->checkIntermediateLoaded()) {
            m_prompt.showMessage(*missing);
            return;
        }
    }
    spec.directory = m_lastFolder;
    const std::optional<QString> path = m_prompt.openFile(spec);
    if (!path)
        return;
    m_lastFolder = QFileInfo(*path).absolutePath();
    auto result = std::make_shared<creation::StepResult>();
    creation::ProjectCreation* creation = m_creation.get();
    runStep(
        statusText, [creation, step, result, path = *path] { *result = (creation->*step)(path); },
        [this, result] {
            if (result->failure)
                m_prompt.showMessage(*result->failure);
        });
}

void ProjectCreationDialog::chooseStorageFolder()
{
    if (isBusy())
        return;
    const std::optional<QString> folder = m_prompt.chooseFolder(
        {creation::wizard::storageFolderTitle(), m_storageFolder.isEmpty() ? m_lastFolder : m_storageFolder});
    if (!folder)
        return;
    m_storageFolder = *folder;
    m_storageEdit->setText(m_storageFolder);
}

void ProjectCreationDialog::finish()
{
    if (isBusy() || !m_creation || currentPage() != kInputsPage)
        return;
    auto result = std::make_shared<creation::CreationResult>();
    creation::ProjectCreation* creation = m_creation.get();
    runStep(
        tr("正在创建工程..."),
        [creation, result, name = m_nameEdit->text(), folder = m_storageFolder] {
            *result = creation->create(name, folder);
        },
        [this, result] {
            if (result->failure) {
                m_prompt.showMessage(*result->failure);
                return;
            }
            m_createdPath = result->projectPath;
            m_prompt.showMessage(creation::wizard::creationSucceededMessage(result->projectPath));
            Q_EMIT projectCreated(result->projectPath);
            accept();
        });
}

void ProjectCreationDialog::reject()
{
    // The step's worker uses the creation object; the window waits for it.
    if (isBusy())
        return;
    QDialog::reject();
}

void ProjectCreationDialog::showPaths()
{
    m_intermediateEdit->setText(m_creation ? m_creation->intermediatePath() : QString());
    m_conversionEdit->setText(m_creation ? m_creation->conversionPath() : QString());
    m_baseEdit->setText(m_creation ? m_creation->basePath() : QString());
}

void ProjectCreationDialog::runStep(const QString& statusText, std::function<void()> work, std::function<void()> done)
{
    setBusy(true, statusText);
    m_worker = QThread::create(std::move(work));
    connect(m_worker, &QThread::finished, this, [this, done = std::move(done)] {
        m_worker->deleteLater();
        m_worker = nullptr;
        setBusy(false);
        showPaths();
        done();
    });
    m_worker->start();
}

void ProjectCreationDialog::setBusy(bool busy, const QString& statusText)
{
    const bool onInputs = currentPage() == kInputsPage;
    m_busyText->setText(statusText);
    m_busyText->setVisible(busy);
    m_busyBar->setVisible(busy);
    m_pages->setEnabled(!busy);
    m_backButton->setEnabled(!busy && onInputs);
    m_nextButton->setEnabled(!busy && !onInputs);
    m_finishButton->setEnabled(!busy && onInputs);
    m_cancelButton->setEnabled(!busy);
}

}  // namespace hesk::app
