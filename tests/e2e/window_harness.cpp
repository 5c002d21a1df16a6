// SPDX-License-Identifier: MIT
// Shows one companion window of the card on a real display, with the real view and the real
// event loop, so that the end-to-end scripts can act on it with xdotool and read it back with
// xwininfo. It reports what the window's own code did to a log file, one line per event:
//
//   shown <window id> <left px> <top px>    the window is on screen
//   region <n>                              the window got its n-th shape (see --region)
//   openUrl <address>                       the link was followed (opening always fails here)
//   unloaded                                the window unloaded itself
//   underlay <x> <y>                        the plain window underneath took a press
//   text <box> <text>                       the card's Text1 or Text2 now holds this text
//
// Usage: window_harness form2|form3|form4|form5 --log FILE --region FILE [--at X Y]
//        [--size W H] [--caption-in] [--open TO FROM] [--underlay] [--quit-after SECONDS]

#include <QApplication>
#include <QFile>
#include <QMouseEvent>
#include <QSaveFile>
#include <QScreen>
#include <QTimer>
#include <QWidget>
#include <cstdio>
#include <memory>
#include <optional>
#include <string>
#include <type_traits>

#include "backends/qt/form_window.h"
#include "backends/qt/qt_host.h"
#include "platform/form_ref.h"
#include "platform/media/audio_engine.h"
#include "platform/runtime.h"
#include "windows/form2_card.h"
#include "windows/form3_cherub.h"
#include "windows/form4_closing_panel.h"
#include "windows/form5_message.h"

namespace xmascard {
namespace {

struct Options {
    std::string form;
    QString log;
    QString region;
    std::optional<QPoint> at;       // pixels
    std::optional<QSize> size;      // pixels
    bool captionIn = false;         // the card's caption where the closing sequence leaves it
    std::optional<CardNames> open;  // the card opened with these names
    bool underlay = false;
    int quitAfter = 120;  // seconds: the harness never outlives a script that forgot it
};

class Log {
  public:
    explicit Log(const QString& path) : file_(path) {
        file_.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Text);
    }
    void line(const QString& text) {
        file_.write(text.toUtf8() + '\n');
        file_.flush();
    }

  private:
    QFile file_;
};

// The real view of a window, which also writes every shape the window is given to a file:
// "none" for no shape, otherwise one rectangle "left top width height" per line, in pixels of
// the window. The file is replaced whole, so a reader never sees half a shape.
class RecordingView final : public FormView {
  public:
    RecordingView(Form& form, Log& log, QString path)
        : form_(form),
          log_(log),
          path_(std::move(path)),
          inner_(std::make_unique<FormWindow>(form)) {}

    void formChanged(Change what) override { inner_->formChanged(what); }
    void controlChanged(Control& control, Change what) override {
        inner_->controlChanged(control, what);
    }
    void raise() override { inner_->raise(); }
    FrameMetrics frame() const override { return inner_->frame(); }
    void regionChanged() override {
        inner_->regionChanged();
        QSaveFile out(path_);
        out.open(QIODevice::WriteOnly | QIODevice::Text);
        const RegionHandle& region = form_.region();
        if (!region) out.write("none\n");
        if (region)
            for (const PixelRect& r : region->rects())
                out.write(QString("%1 %2 %3 %4\n")
                              .arg(r.left)
                              .arg(r.top)
                              .arg(r.right - r.left)
                              .arg(r.bottom - r.top)
                              .toUtf8());
        out.commit();
        log_.line(QString("region %1").arg(++count_));
    }
    QWidget& widget() { return dynamic_cast<QWidget&>(*inner_); }

  private:
    Form& form_;
    Log& log_;
    QString path_;
    std::unique_ptr<FormView> inner_;
    int count_ = 0;
};

// The card's own Qt host, whose windows also log their shapes and whose links are only
// logged.
class HarnessHost final : public Host {
  public:
    HarnessHost(Log& log, QString regionPath) : log_(log), regionPath_(std::move(regionPath)) {}

    Graphics& graphics() override { return qt_.graphics(); }
    std::unique_ptr<FormView> makeView(Form& form) override {
        auto made = std::make_unique<RecordingView>(form, log_, regionPath_);
        view = made.get();
        return made;
    }
    ScreenSize screen() const override { return qt_.screen(); }
    bool openUrl(const std::string& address) override {
        log_.line(QString("openUrl %1").arg(QString::fromStdString(address)));
        return false;
    }
    std::string soundDirectory() override { return qt_.soundDirectory(); }
    void quit() override { qt_.quit(); }
    void sweepLater() override { qt_.sweepLater(); }
    void timerArmed() override { qt_.timerArmed(); }
    void run(Runtime& runtime, TickClock& clock) { qt_.run(runtime, clock); }

    RecordingView* view = nullptr;  // the last window's view

  private:
    QtHost qt_;
    Log& log_;
    QString regionPath_;
};

// A plain window under the one being tested: presses that fall through a shaped window's
// see-through parts land here.
class Underlay final : public QWidget {
  public:
    Underlay(Log& log, const QRect& area)
        : QWidget(nullptr, Qt::Window | Qt::FramelessWindowHint), log_(log) {
        setGeometry(area);
        QPalette p = palette();
        p.setColor(QPalette::Window, QColor(40, 90, 60));
        setPalette(p);
        setAutoFillBackground(true);
    }

  protected:
    void mousePressEvent(QMouseEvent* event) override {
        const QPoint at = event->globalPosition().toPoint();
        log_.line(QString("underlay %1 %2").arg(at.x()).arg(at.y()));
    }

  private:
    Log& log_;
};

template <class T>
int run(const Options& options, HarnessHost& host, Runtime& runtime, TickClock& clock, Log& log) {
    FormRef<T> ref([&] { return std::make_unique<T>(runtime); });
    T& form = ref.get();
    form.onUnload = [&] {
        log.line("unloaded");
        ref.unload();
    };

    if (options.at)
        form.Move(toTwips(Pixels{static_cast<float>(options.at->x())}).value,
                  toTwips(Pixels{static_cast<float>(options.at->y())}).value);
    if constexpr (std::is_same_v<T, Form2>) {
        if (options.captionIn) form.Label4.setLeft(270);
        for (TextBox* box : {&form.Text1, &form.Text2})
            box->Change = [&log, box, edited = box->Change] {
                edited();
                log.line(QString("text %1 %2")
                             .arg(QString::fromStdString(box->Name()),
                                  QString::fromStdString(box->Text())));
            };
    }
    form.Show();
    // Opened as the show opens it, the player showing its own (empty) tune.
    if constexpr (std::is_same_v<T, Form2>)
        if (options.open) {
            form.writeNames(*options.open);
            form.OpenCard(form.MediaPlayer2);
        }
    // Resizing a shown window, as a user or the show would: the window shapes itself anew.
    if (options.size) {
        form.setWidth(toTwips(Pixels{static_cast<float>(options.size->width())}).value);
        form.setHeight(toTwips(Pixels{static_cast<float>(options.size->height())}).value);
    }
    std::unique_ptr<Underlay> underlay;
    if (options.underlay) {
        const int margin = 40;
        const QRect area(devicePixels(Twips{form.Left()}) - margin,
                         devicePixels(Twips{form.Top()}) - margin,
                         devicePixels(Twips{form.Width()}) + 2 * margin,
                         devicePixels(Twips{form.Height()}) + 2 * margin);
        underlay = std::make_unique<Underlay>(log, area);
        underlay->show();
        underlay->lower();
    }
    QWidget& widget = host.view->widget();
    QTimer::singleShot(300, &widget, [&] {
        log.line(QString("shown %1 %2 %3")
                     .arg(widget.winId())
                     .arg(devicePixels(Twips{form.Left()}))
                     .arg(devicePixels(Twips{form.Top()})));
    });

    host.run(runtime, clock);
    return QApplication::exec();
}

std::optional<Options> parse(int argc, char** argv) {
    if (argc < 2) return std::nullopt;
    Options o;
    o.form = argv[1];
    for (int i = 2; i < argc; ++i) {
        const std::string arg = argv[i];
        const bool more = i + 1 < argc;
        if (arg == "--log" && more) {
            o.log = argv[++i];
        } else if (arg == "--region" && more) {
            o.region = argv[++i];
        } else if (arg == "--at" && i + 2 < argc) {
            const int x = std::atoi(argv[++i]);
            o.at = QPoint(x, std::atoi(argv[++i]));
        } else if (arg == "--size" && i + 2 < argc) {
            const int w = std::atoi(argv[++i]);
            o.size = QSize(w, std::atoi(argv[++i]));
        } else if (arg == "--open" && i + 2 < argc) {
            o.open = CardNames{argv[i + 1], argv[i + 2]};
            i += 2;
        } else if (arg == "--caption-in") {
            o.captionIn = true;
        } else if (arg == "--underlay") {
            o.underlay = true;
        } else if (arg == "--quit-after" && more) {
            o.quitAfter = std::atoi(argv[++i]);
        } else {
            return std::nullopt;
        }
    }
    if (o.log.isEmpty() || o.region.isEmpty()) return std::nullopt;
    return o;
}

}  // namespace
}  // namespace xmascard

int main(int argc, char** argv) {
    using namespace xmascard;
    const std::optional<Options> options = parse(argc, argv);
    if (!options) {
        std::fputs(
            "usage: window_harness form2|form3|form4|form5 --log FILE --region FILE\n"
            "       [--at X Y] [--size W H] [--caption-in] [--open TO FROM] [--underlay]\n"
            "       [--quit-after SECONDS]\n",
            stderr);
        return 2;
    }
    QApplication app(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
    QTimer::singleShot(options->quitAfter * 1000, &app, &QApplication::quit);

    MonotonicClock realClock;
    TickClock clock(realClock);
    auto audio = media::AudioEngine::create(media::AudioEngine::Output::Silent);
    Log log(options->log);
    HarnessHost host(log, options->region);
    Runtime runtime(clock, *audio, host);

    if (options->form == "form2") return run<Form2>(*options, host, runtime, clock, log);
    if (options->form == "form3") return run<Form3>(*options, host, runtime, clock, log);
    if (options->form == "form4") return run<Form4>(*options, host, runtime, clock, log);
    if (options->form == "form5") return run<Form5>(*options, host, runtime, clock, log);
    std::fprintf(stderr, "window_harness: unknown window %s\n", options->form.c_str());
    return 2;
}
