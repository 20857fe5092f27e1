#include "platform/update_files.h"

#include <QTest>

using namespace briqo;

namespace {

const QByteArray Ipv4Heading = "Iface\tDestination\tGateway \tFlags\tRefCnt\tUse\tMetric\tMask\t\tMTU\tWindow\tIRTT\n";

QByteArray ipv4Route(const char *interface, const char *flags)
{
    return QByteArray(interface) + "\t000200C0\t00000000\t" + flags + "\t0\t0\t0\t00FFFFFF\t0\t0\t0\n";
}

QByteArray ipv6Route(const char *destination, const char *flags, const char *interface)
{
    return QByteArray(destination)
        + " 40 00000000000000000000000000000000 00 00000000000000000000000000000000 00000100 00000001 00000000 " + flags
        + "     " + interface + "\n";
}

} // namespace

// The update check asks the server only when the machine has a route anywhere but to itself.
class TestNetworkRoute : public QObject {
    Q_OBJECT

private slots:
    void aRouteCountsOnlyThroughAnInterfaceThatLeadsSomewhere_data()
    {
        QTest::addColumn<QByteArray>("ipv4");
        QTest::addColumn<QByteArray>("ipv6");
        QTest::addColumn<bool>("route");
        const QByteArray loopback6 = ipv6Route("00000000000000000000000000000001", "80200001", "lo");
        QTest::newRow("no tables") << QByteArray() << QByteArray() << false;
        QTest::newRow("only the heading") << Ipv4Heading << QByteArray() << false;
        QTest::newRow("loopback only") << Ipv4Heading + ipv4Route("lo", "0001") << loopback6 << false;
        QTest::newRow("a local network") << Ipv4Heading + ipv4Route("eth0", "0001") << loopback6 << true;
        QTest::newRow("a route that is not up") << Ipv4Heading + ipv4Route("eth0", "0000") << QByteArray() << false;
        QTest::newRow("own, link-local and multicast addresses only")
            << Ipv4Heading
            << ipv6Route("fd000000000000000000000000000002", "80200001", "eth0")
                + ipv6Route("fe800000000000000000000000000000", "00000001", "eth0")
                + ipv6Route("ff000000000000000000000000000000", "00000001", "eth0")
            << false;
        QTest::newRow("an IPv6 network only")
            << Ipv4Heading << ipv6Route("fd000000000000000000000000000000", "00000001", "wlan0") << true;
        QTest::newRow("unreadable lines") << QByteArray("eth0 x\n\n\t\n") << QByteArray("garbage eth0\n") << false;
        QTest::newRow("flags that are no number")
            << Ipv4Heading + ipv4Route("eth0", "zz") << ipv6Route("fd00", "zz", "eth0") << false;
    }
    void aRouteCountsOnlyThroughAnInterfaceThatLeadsSomewhere()
    {
        QFETCH(QByteArray, ipv4);
        QFETCH(QByteArray, ipv6);
        QFETCH(bool, route);
        QCOMPARE(hasNetworkRoute(ipv4, ipv6), route);
    }
};

QTEST_GUILESS_MAIN(TestNetworkRoute)
#include "test_network_route.moc"
