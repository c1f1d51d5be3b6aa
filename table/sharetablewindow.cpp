#include "table/sharetablewindow.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScrollArea>
#include <QVBoxLayout>

#include "desktop/messagebox.h"
#include "desktop/printcommand.h"
#include "desktop/screenfit.h"
#include "platform/qtstrings.h"
#include "share/localaddress.h"
#include "share/sharehost.h"
#include "table/joincardspage.h"
#include "table/seatpanel.h"

namespace {
constexpr QSize kPreferredSize(760, 700);
}  // namespace

ShareTableWindow::ShareTableWindow(ShareHost& host, QString gameTitle, std::string documentPath,
                                   QWidget* parent)
    : QWidget(parent, Qt::Window),
      m_host(host),
      m_gameTitle(std::move(gameTitle)),
      m_documentPath(std::move(documentPath)) {
    setObjectName("shareTable");
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(tr("Share Table — %1 — Brinnow").arg(m_gameTitle));
    auto* layout = new QVBoxLayout(this);
    auto* reach = new QLabel(
        tr("Anyone on the same network who is given a link can open it in a browser and mark "
           "what its seat may mark. Hand each link only to the player of that seat."),
        this);
    reach->setObjectName("reach");
    reach->setWordWrap(true);
    layout->addWidget(reach);
    CreateAddressChoice(layout);
    m_refusal = new QLabel(this);
    m_refusal->setObjectName("refusal");
    m_refusal->setWordWrap(true);
    m_refusal->hide();
    layout->addWidget(m_refusal);

    auto* scroll = new QScrollArea(this);
    scroll->setWidgetResizable(true);
    auto* seats = new QWidget(scroll);
    m_seatLayout = new QVBoxLayout(seats);
    scroll->setWidget(seats);
    layout->addWidget(scroll, 1);
    CreateButtons(layout);

    connect(&m_host, &ShareHost::devicesChanged, this, &ShareTableWindow::ShowDevices);
    connect(&m_host, &ShareHost::connectionRefused, this, &ShareTableWindow::ShowRefusal);
    ShowSeats();
    FitOnScreen(*this, kPreferredSize);
}

void ShareTableWindow::CreateAddressChoice(QVBoxLayout* layout) {
    auto* row = new QHBoxLayout;
    auto* label = new QLabel(tr("&Address:"), this);
    m_addresses = new QComboBox(this);
    m_addresses->setObjectName("address");
    label->setBuddy(m_addresses);
    QList<QHostAddress> choices = LocalNetworkAddresses();
    // This computer alone: for a game played in several windows of one
    // desktop.
    choices << QHostAddress(QHostAddress::LocalHost);
    if (!choices.contains(m_host.Address())) choices.prepend(m_host.Address());
    for (const QHostAddress& address : choices) {
        const bool loopback = address.isLoopback();
        m_addresses->addItem(loopback ? tr("%1 (this computer only)").arg(address.toString())
                                      : address.toString(),
                             address.toString());
    }
    connect(m_addresses, &QComboBox::activated, this,
            [this] { ShareOn(QHostAddress(m_addresses->currentData().toString())); });
    row->addWidget(label);
    row->addWidget(m_addresses);
    m_portNote = new QLabel(this);
    m_portNote->setObjectName("portNote");
    row->addWidget(m_portNote, 1);
    layout->addLayout(row);
}

void ShareTableWindow::CreateButtons(QVBoxLayout* layout) {
    auto* row = new QHBoxLayout;
    auto* print = new QPushButton(tr("&Print Join Cards..."), this);
    print->setObjectName("printJoinCards");
    connect(print, &QPushButton::clicked, this, &ShareTableWindow::PrintJoinCards);
    auto* stop = new QPushButton(tr("&Stop Sharing"), this);
    stop->setObjectName("stopSharing");
    connect(stop, &QPushButton::clicked, this, &ShareTableWindow::StopSharing);
    auto* close = new QPushButton(tr("Close"), this);
    close->setObjectName("close");
    close->setToolTip(tr("The game stays shared; Game > Share Table shows this window again."));
    connect(close, &QPushButton::clicked, this, &QWidget::close);
    row->addWidget(print);
    row->addStretch(1);
    row->addWidget(stop);
    row->addWidget(close);
    layout->addLayout(row);
}

void ShareTableWindow::ShowSeats() {
    for (SeatPanel* panel : std::exchange(m_panels, {})) delete panel;
    for (const Seat& seat : m_host.Seats()) {
        auto* panel = new SeatPanel(seat.title, m_host.Link(seat), m_seatLayout->parentWidget());
        m_seatLayout->addWidget(panel);
        m_panels.push_back(panel);
    }
    m_addresses->setCurrentIndex(m_addresses->findData(m_host.Address().toString()));
    const quint16 port = m_host.Port();
    m_portNote->setText(port == ShareHost::kDefaultPort
                            ? tr("Port %1").arg(port)
                            : tr("Port %1 was taken: the links use port %2.")
                                  .arg(ShareHost::kDefaultPort)
                                  .arg(port));
    ShowDevices();
}

void ShareTableWindow::ShowDevices() {
    const std::vector<Seat>& seats = m_host.Seats();
    for (std::size_t i = 0; i < m_panels.size() && i < seats.size(); ++i) {
        m_panels[i]->ShowDevices(m_host.Devices(seats[i]));
    }
}

void ShareTableWindow::ShowRefusal(const QString& why) {
    m_refusal->setText(why);
    m_refusal->show();
}

void ShareTableWindow::ShareOn(const QHostAddress& address) {
    QString error;
    if (!m_host.Start(address, ShareHost::kDefaultPort, true, error)) {
        AfxMessageBoxUnicode(error + tr("\n\nThe game is no longer shared."));
        StopSharing();
        return;
    }
    m_refusal->hide();
    ShowSeats();
}

void ShareTableWindow::PrintJoinCards() {
    std::vector<JoinCard> cards;
    for (const SeatPanel* panel : m_panels) cards.push_back({panel->title(), panel->Link()});
    const QString title = tr("Join %1").arg(m_gameTitle);
    PrintWithDialog(this, FromQt(title), m_documentPath,
                    [title, cards](CDC& printer, Progress&) {
                        DrawJoinCardsPage(printer, title, cards);
                    });
}

void ShareTableWindow::StopSharing() {
    m_host.Stop();
    emit stopped();
    close();
}
