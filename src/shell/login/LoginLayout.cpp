// The controls of the login window and where they sit (pixels; 15 twips each).
#include "Login.h"

#include "platform/desktop/widgets/OneLineText.h"
#include "platform/desktop/widgets/WindowRules.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QProxyStyle>
#include <QPushButton>
#include <QStyle>
#include <QToolButton>
#include <QTreeWidget>

namespace {

// The password box shows one "*" per character, whatever the style's own mark.
class StarPasswordStyle : public QProxyStyle
{
public:
    int styleHint(StyleHint hint, const QStyleOption *option, const QWidget *widget,
                  QStyleHintReturn *returnData) const override
    {
        if (hint == SH_LineEdit_PasswordCharacter)
            return '*';
        return QProxyStyle::styleHint(hint, option, widget, returnData);
    }
};

} // namespace

void Login::buildControls()
{
    const int width = ui::twipsToPixels(WidthTwips);

    m_upperFrame = new QGroupBox(this);
    m_upperFrame->setObjectName(QStringLiteral("SSFrame2"));
    m_upperFrame->setGeometry(6, 4, width - 12, ui::twipsToPixels(NormalHeightTwips) - 10);

    auto addLabel = [](QWidget *parent, int index, const QString &text, const QRect &geometry) {
        auto *label = new QLabel(text, parent);
        label->setObjectName(ui::arrayName("Label1", index));
        label->setGeometry(geometry);
        return label;
    };
    auto addText = [this](QWidget *parent, int index, const QString &toolTip, const QRect &geometry) {
        auto *box = new QLineEdit(parent);
        box->setObjectName(ui::arrayName("Text1", index));
        box->setToolTip(toolTip);
        box->setGeometry(geometry);
        box->installEventFilter(this);
        m_text[size_t(index)] = box;
        return box;
    };
    auto addPicture = [this](int index, QStyle::StandardPixmap picture, const QString &toolTip, const QRect &geometry) {
        auto *button = new QToolButton(m_upperFrame);
        button->setObjectName(ui::arrayName("Command1", index));
        button->setIcon(style()->standardIcon(picture));
        button->setIconSize(QSize(32, 32));
        button->setToolTip(toolTip);
        button->setGeometry(geometry);
        m_command[size_t(index)] = button;
    };

    addLabel(m_upperFrame, 0, QStringLiteral("Χρήστης"), QRect(14, 20, 84, 24));
    ui::SetOneLineText(addText(m_upperFrame, 0, QStringLiteral("Το όνομα του χρήστη"), QRect(100, 18, 200, 26)));
    addLabel(m_upperFrame, 1, QStringLiteral("Κωδικός "), QRect(14, 56, 84, 24));
    QLineEdit *password = addText(m_upperFrame, 1, QStringLiteral("Ο κωδικός του χρήστη"), QRect(100, 54, 200, 26));
    password->setEchoMode(QLineEdit::Password);
    auto *starStyle = new StarPasswordStyle;
    starStyle->setParent(password);
    password->setStyle(starStyle);

    addPicture(0, QStyle::SP_DialogApplyButton, QStringLiteral("Ελεγχος για σωστό Ονομα/κωδικό  "),
               QRect(318, 16, 50, 50));
    addPicture(1, QStyle::SP_DialogCloseButton, QStringLiteral("Τερματισμός του προγράμματος"), QRect(374, 16, 50, 50));
    addPicture(5, QStyle::SP_BrowserReload, QString(), QRect(374, 80, 50, 50));
    // It has no caption or tooltip; it is named by what it does.
    m_command[5]->setAccessibleName(QStringLiteral("Ξεκλείδωμα βάσης"));

    m_waitLabel = new QLabel(m_upperFrame);
    m_waitLabel->setObjectName(QStringLiteral("lblWait"));
    m_waitLabel->setGeometry(100, 88, 260, 22);
    m_waitLabel->setStyleSheet(QStringLiteral("color: #a00000;"));
    m_waitLabel->hide();

    m_usersFrame = new QGroupBox(QStringLiteral("Μεταβολή χρηστών"), this);
    m_usersFrame->setObjectName(QStringLiteral("SSFrame1"));
    m_usersFrame->setGeometry(6, ui::twipsToPixels(NormalHeightTwips), width - 12,
                              ui::twipsToPixels(AdministratorHeightTwips - NormalHeightTwips) - 6);

    m_userList = new QListWidget(m_usersFrame);
    m_userList->setObjectName(QStringLiteral("DBList1"));
    m_userList->setToolTip(QStringLiteral("Περιέχει το σύνολο των χρηστών"));
    m_userList->setGeometry(10, 26, 140, 170);

    auto *changeLog = new QPushButton(QStringLiteral("Αλλαγές κινήσεων"), m_usersFrame);
    changeLog->setObjectName(QStringLiteral("ChangeLog"));
    changeLog->setToolTip(QStringLiteral("Οι μεταβολές και οι διαγραφές κινήσεων, με ημερομηνία"));
    changeLog->setGeometry(10, 202, 140, 28);
    connect(changeLog, &QPushButton::clicked, this, &Login::showChangeLog);

    addLabel(m_usersFrame, 2, QStringLiteral("Χρήστης"), QRect(160, 28, 64, 24));
    ui::SetOneLineText(addText(m_usersFrame, 2, QStringLiteral("Το όνομα του χρήστη"), QRect(226, 26, 196, 26)));
    addLabel(m_usersFrame, 3, QStringLiteral("Κωδικός "), QRect(160, 60, 64, 24));
    QLineEdit *newPassword = addText(m_usersFrame, 3, QStringLiteral("Ο κωδικός πρόσβασης"), QRect(226, 58, 196, 26));
    newPassword->setEchoMode(QLineEdit::Password);
    newPassword->setPlaceholderText(QStringLiteral("κενό: μένει ο ίδιος"));

    const QString checks[] = {QStringLiteral("Να μεταβάλει τις εγγραφές του ταμείου"),
                              QStringLiteral("Να κλήνει το ταμείο"),
                              QStringLiteral(" Να μεταβάλει ομάδες και κωδικούς")};
    for (int i = 0; i < 3; ++i) {
        auto *check = new QCheckBox(checks[i], m_usersFrame);
        check->setObjectName(ui::arrayName("SSCheck1", i));
        check->setGeometry(160, 92 + 24 * i, 266, 22);
        m_check[size_t(i)] = check;
    }

    auto addButton = [this](int index, const QString &caption, const QString &toolTip, const QRect &geometry) {
        auto *button = new QPushButton(caption, m_usersFrame);
        button->setObjectName(ui::arrayName("Command1", index));
        button->setToolTip(toolTip);
        button->setGeometry(geometry);
        m_command[size_t(index)] = button;
    };
    addButton(2, QStringLiteral("Εισαγωγή"), QStringLiteral("Εισάγει το νεο χρήστη στη βάση"), QRect(160, 168, 86, 28));
    addButton(3, QStringLiteral("Μεταβολή"), QStringLiteral("Μεταβολή στοιχείων του χρήστη"), QRect(250, 168, 86, 28));
    addButton(4, QStringLiteral("Διαγραφή"), QStringLiteral("Διαγράφει το χρήστη από τη βάση"),
              QRect(340, 168, 86, 28));
    addButton(6, QStringLiteral("Ταμεία"), QStringLiteral("Κλείσιμο ανοικτών ταμείων"), QRect(160, 202, 86, 28));
    addButton(7, QStringLiteral("Διαγραφή βάσης"), QStringLiteral("Διαγραφή όλων των στοιχείων της βάσης"),
              QRect(250, 202, 176, 28));

    buildSecurityFrame();
}

// Below the users: the installation's administrator code and the audit log.
void Login::buildSecurityFrame()
{
    const int width = ui::twipsToPixels(WidthTwips);
    m_securityFrame = new QGroupBox(QStringLiteral("Ασφάλεια"), this);
    m_securityFrame->setObjectName(QStringLiteral("SSFrame3"));
    m_securityFrame->setGeometry(6, ui::twipsToPixels(AdministratorHeightTwips), width - 12,
                                 ui::twipsToPixels(SecurityHeightTwips) - 6);

    m_codeWarning = new QLabel(QStringLiteral("Δεν έχει οριστεί κωδικός διαχειριστή: ισχύει ακόμη "
                                              "ο κοινός κωδικός όλων των εγκαταστάσεων."),
                               m_securityFrame);
    m_codeWarning->setObjectName(QStringLiteral("lblAdminCodeWarning"));
    m_codeWarning->setWordWrap(true);
    m_codeWarning->setStyleSheet(QStringLiteral("color: #a00000; font-weight: bold;"));
    m_codeWarning->setGeometry(10, 22, width - 32, 34);

    auto addCodeBox = [this](int index, const QString &caption, const QString &toolTip, const QRect &label,
                             const QRect &box) {
        auto *text = new QLabel(caption, m_securityFrame);
        text->setGeometry(label);
        auto *edit = new QLineEdit(m_securityFrame);
        edit->setObjectName(ui::arrayName("Text1", index));
        edit->setToolTip(toolTip);
        edit->setEchoMode(QLineEdit::Password);
        edit->setGeometry(box);
        edit->installEventFilter(this);
        m_text[size_t(index)] = edit;
    };
    addCodeBox(4, QStringLiteral("Κωδικός"), QStringLiteral("Ο νέος κωδικός διαχειριστή"), QRect(10, 62, 58, 24),
               QRect(68, 60, 110, 26));
    addCodeBox(5, QStringLiteral("Ξανά"), QStringLiteral("Ο νέος κωδικός διαχειριστή, ξανά"), QRect(186, 62, 40, 24),
               QRect(226, 60, 110, 26));
    auto *setCode = new QPushButton(QStringLiteral("Ορισμός"), m_securityFrame);
    setCode->setObjectName(ui::arrayName("Command1", 8));
    setCode->setToolTip(QStringLiteral("Ορίζει τον κωδικό διαχειριστή αυτής της εγκατάστασης"));
    setCode->setGeometry(342, 59, 84, 28);
    m_command[8] = setCode;

    m_auditList = new QTreeWidget(m_securityFrame);
    m_auditList->setObjectName(QStringLiteral("lstKatagrafh"));
    m_auditList->setToolTip(QStringLiteral("Οι είσοδοι και οι εργασίες συντήρησης, οι νεότερες πρώτες"));
    m_auditList->setHeaderLabels({QStringLiteral("Πότε"), QStringLiteral("Χρήστης"), QStringLiteral("Σταθμός"),
                                  QStringLiteral("Ενέργεια")});
    m_auditList->setRootIsDecorated(false);
    m_auditList->setColumnWidth(0, 142);
    m_auditList->setColumnWidth(1, 72);
    m_auditList->setColumnWidth(2, 64);
    m_auditList->setGeometry(10, 94, width - 32, ui::twipsToPixels(SecurityHeightTwips) - 6 - 102);
}
