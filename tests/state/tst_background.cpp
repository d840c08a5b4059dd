#include "state/Background.h"
#include "state/HeldMessages.h"
#include "support/TestEnvironment.h"

#include <QtTest>

#include <atomic>
#include <numeric>
#include <new>
#include <stdexcept>
#include <thread>

using namespace kelvane;
using namespace std::chrono_literals;

namespace {

enum class Raised { RuntimeErrorRaised, OutOfMemory, StandardException, AnythingElse };

// Its own part of the destruction takes a moment, so that a job ending meanwhile meets it half gone.
struct SlowToGo : QObject {
  ~SlowToGo() override { std::this_thread::sleep_for(20us); }
};

}  // namespace

class BackgroundTest : public QObject {
  Q_OBJECT

 private slots:
  void stoppedWorkerCancelsAtOnce_data() {
    QTest::addColumn<bool>("startedAfterStop");  // else queued behind a job under way at the stop
    QTest::newRow("job started after the stop") << true;
    QTest::newRow("job queued when the stop came") << false;
  }
  // Its work never runs, and whoever waits for it hears of its end.
  void stoppedWorkerCancelsAtOnce() {
    QFETCH(bool, startedAfterStop);
    Worker worker;
    const auto underWay = worker.start<int>([](JobControl& job) {
      while (!job.stopRequested()) std::this_thread::sleep_for(1ms);
      return 1;
    });
    std::atomic<bool> ran{false};
    const auto work = [&ran](JobControl&) { return ran = true; };
    std::shared_ptr<Job<bool>> job;
    if (!startedAfterStop) job = worker.start<bool>(work);
    QVERIFY(worker.stop(std::chrono::steady_clock::now() + 10s));
    if (startedAfterStop) job = worker.start<bool>(work);
    QVERIFY(job->finished() && !ran);
    QCOMPARE(job->outcome()->failure->number(), ErrorNumber::OperationCancelled);
    QObject context;
    bool told = false;
    job->whenFinished(&context, [&told] { told = true; });
    QTRY_VERIFY(told);
  }

  void everyExceptionEndsItsJob_data() {
    QTest::addColumn<Raised>("raised");
    QTest::addColumn<int>("number");
    QTest::addColumn<QString>("description");
    QTest::newRow("run-time error") << Raised::RuntimeErrorRaised << ErrorNumber::FileAccess << "gone";
    QTest::newRow("out of memory") << Raised::OutOfMemory << ErrorNumber::OutOfMemory << "Out of memory";
    QTest::newRow("standard exception") << Raised::StandardException << ErrorNumber::Internal << "Internal error: bad key";
    QTest::newRow("anything else") << Raised::AnythingElse << ErrorNumber::Internal
                                   << "Internal error: An exception of unknown kind";
  }
  // As that job's error; the worker goes on with the next.
  void everyExceptionEndsItsJob() {
    QFETCH(Raised, raised);
    QFETCH(int, number);
    QFETCH(QString, description);
    Worker worker;
    const auto failing = worker.start<int>([raised](JobControl&) -> int {
      switch (raised) {
        case Raised::RuntimeErrorRaised: throw RuntimeError(ErrorNumber::FileAccess, "file", "gone");
        case Raised::OutOfMemory: throw std::bad_alloc();
        case Raised::StandardException: throw std::out_of_range("bad key");
        case Raised::AnythingElse: throw 42;
      }
      return 0;
    });
    const auto next = worker.start<int>([](JobControl&) { return 7; });
    QVERIFY(next->waitFor(10s));
    const Outcome<int> outcome = *failing->outcome();
    QVERIFY(!outcome.value);
    QCOMPARE((std::pair{outcome.failure->number(), outcome.failure->description()}), (std::pair{number, description}));
    QCOMPARE(next->outcome()->take(), 7);
  }

  // A context destroyed on its thread while its job ends on the worker: the callback never runs,
  // and nothing touches the context once it has gone (the sanitized build checks the latter).
  void callbackNeverReachesAContextBeingDestroyed() {
    Worker worker;
    int ran = 0;
    for (int i = 0; i < 300; ++i) {
      auto* context = new SlowToGo;
      std::atomic<bool> go{false};
      const auto job = worker.start<int>([&go](JobControl&) {
        while (!go) std::this_thread::yield();
        return 1;
      });
      job->whenFinished(context, [&ran] { ++ran; });
      go = true;
      delete context;
      QVERIFY(job->waitFor(10s));
    }
    QCoreApplication::sendPostedEvents();
    QCoreApplication::processEvents();
    QCOMPARE(ran, 0);
  }

  // A second call is a fault of the caller, asserted where asserts are on; elsewhere the first stays.
  void whenFinishedIsSetOnce() {
#ifndef QT_NO_DEBUG
    QSKIP("asserted in a build with asserts");
#endif
    Worker worker;
    QObject context;
    QStringList ran;
    std::atomic<bool> go{false};
    const auto job = worker.start<int>([&go](JobControl&) {
      while (!go) std::this_thread::yield();
      return 1;
    });
    job->whenFinished(&context, [&ran] { ran << "first"; });
    job->whenFinished(&context, [&ran] { ran << "second"; });
    go = true;
    QTRY_VERIFY(!ran.isEmpty());
    QCoreApplication::processEvents();
    QCOMPARE(ran, QStringList{"first"});
  }

  // Jobs of one worker are told on the window's thread in the order they were started, however
  // long each takes and whenever its callback was set: a later press never overtakes an earlier.
  void outcomesAreToldInTheOrderStarted() {
    Worker worker;
    QObject context;
    QList<int> told;
    std::vector<std::shared_ptr<Job<int>>> jobs;
    for (int i = 0; i < 40; ++i) {
      const auto work = [i](JobControl&) {
        std::this_thread::sleep_for(std::chrono::microseconds((i * 7919) % 3000));
        return i;
      };
      jobs.push_back(worker.start<int>(work));
      if (i % 3 == 0) std::this_thread::sleep_for(1ms);  // some end before their callback is set
      jobs.back()->whenFinished(&context, [&told, job = jobs.back()] { told << job->outcome()->take(); });
    }
    QTRY_COMPARE(told.size(), 40);
    QList<int> started(40);
    std::iota(started.begin(), started.end(), 0);
    QCOMPARE(told, started);
  }

  void heldMessagesWaitForTheLastHold_data() {
    QTest::addColumn<QString>("steps");  // h: a hold begins, R: the newest ends, a letter: a message
    QTest::addColumn<QString>("shown");  // what has been shown after each step
    QTest::newRow("no hold") << "ab" << "a|ab";
    QTest::newRow("held until the hold ends") << "haRb" << "||a|ab";
    QTest::newRow("nested holds: until the last") << "hahbRcRd" << "||||||abc|abcd";
    QTest::newRow("in the order they came") << "habcR" << "||||abc";
  }
  void heldMessagesWaitForTheLastHold() {
    QFETCH(QString, steps);
    QFETCH(QString, shown);
    testing::RecordedMessages boxes;
    HeldMessages messages(boxes);
    std::vector<HeldMessages::Hold> holds;
    QStringList afterEachStep;
    for (const QChar step : steps) {
      if (step == 'h')
        holds.push_back(messages.hold());
      else if (step == 'R')
        holds.pop_back();
      else
        messages.show(step, MessageIcon::None, {});
      afterEachStep << boxes.texts().join(QString());
    }
    QCOMPARE(afterEachStep.join('|'), shown);
  }

  // A box shown at the end of a hold waits in an event loop, in which a new read may begin: what is
  // left waits for that one to end.
  void aHoldBegunWhileAHeldBoxShowsHoldsTheRest() {
    struct OpeningARead : MessageSink {
      HeldMessages* messages = nullptr;
      QStringList shown;
      std::optional<HeldMessages::Hold> read;
      std::function<void()> whileShown;
      void show(const QString& text, MessageIcon, const QString&) override {
        shown << text;
        if (text == "a") read.emplace(messages->hold());
        if (whileShown) std::exchange(whileShown, nullptr)();
      }
    } boxes;
    HeldMessages messages(boxes);
    boxes.messages = &messages;
    {
      const auto hold = messages.hold();
      messages.show("a", MessageIcon::None, {});
      messages.show("b", MessageIcon::None, {});
    }
    QCOMPARE(boxes.shown, QStringList{"a"});
    boxes.read.reset();
    QCOMPARE(boxes.shown, (QStringList{"a", "b"}));
    // One said while a held box shows waits behind the rest.
    boxes.shown.clear();
    {
      const auto hold = messages.hold();
      messages.show("c", MessageIcon::None, {});
      messages.show("d", MessageIcon::None, {});
      boxes.whileShown = [&] { messages.show("e", MessageIcon::None, {}); };
    }
    QCOMPARE(boxes.shown, (QStringList{"c", "d", "e"}));
  }
};

QTEST_GUILESS_MAIN(BackgroundTest)
#include "tst_background.moc"
