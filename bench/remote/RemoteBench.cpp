// The remote command server: search over a large media list, and current-data
// queries answered over loopback.

#include "mediahost/remote/MediaSearch.h"
#include "mediahost/remote/QHttpServer.h"
#include "mediahost/remote/RemoteAnswer.h"

#include <QCoreApplication>
#include <QTcpSocket>
#include <QThread>

#include <benchmark/benchmark.h>

namespace {

QVector<MediaObjectInfo> mediaListOf(int files)
{
    QVector<MediaObjectInfo> list;
    list.reserve(files);
    for (int i = 0; i < files; ++i) {
        const QString name = QStringLiteral("Artist %1 - Song number %2.flac").arg(i % 500).arg(i);
        list.append({name, QStringLiteral("/run/media/sda1/Artist %1/%2").arg(i % 500).arg(name),
                     QStringLiteral("flac"), QStringLiteral("1234-ABCD")});
    }
    return list;
}

// range(0): 0 a text found in 1 of 500 names, 1 a text found nowhere.
void SearchMediaList(benchmark::State& state)
{
    static const QVector<MediaObjectInfo> list = mediaListOf(100000);
    const QString text = state.range(0) == 0 ? QStringLiteral("Artist 42 ") : QStringLiteral("nowhere");
    for (auto _ : state)
        benchmark::DoNotOptimize(searchMediaList(list, text));
    state.counters["entries"] = list.size();
}
BENCHMARK(SearchMediaList)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// One client asking for the current data again and again; the server runs
// its own event loop on another thread.
void CurrentdataOverLoopback(benchmark::State& state)
{
    QThread thread;
    auto* server = new QHttpServer(QStringLiteral("/run/media"));
    server->moveToThread(&thread);
    QObject::connect(&thread, &QThread::finished, server, &QObject::deleteLater);
    thread.start();
    quint16 port = 0;
    QMetaObject::invokeMethod(server, [&] {
        server->setField(QStringLiteral("Currentlypath"), QStringLiteral("/run/media/sda1/Live/01 Opening.flac"));
        server->listen(QHostAddress::LocalHost, 0);
        port = server->serverPort();
    }, Qt::BlockingQueuedConnection);

    QTcpSocket client;
    client.connectToHost(QHostAddress::LocalHost, port);
    if (!client.waitForConnected(5000)) {
        state.SkipWithError("cannot connect");
    } else {
        QByteArray answer;
        for (auto _ : state) {
            answer.clear();
            client.write("/R4/Get/Currentdata");
            client.waitForBytesWritten(5000);
            while (!RemoteAnswer::isComplete(RemoteCommandKind::Currentdata, answer)) {
                if (!client.waitForReadyRead(5000)) {
                    state.SkipWithError("no answer");
                    break;
                }
                answer += client.readAll();
            }
        }
        state.SetItemsProcessed(state.iterations());
    }
    client.abort();
    thread.quit();
    thread.wait();
}
BENCHMARK(CurrentdataOverLoopback)->UseRealTime();

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
