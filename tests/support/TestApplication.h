#pragma once

#include <QCoreApplication>
#include <QStringList>

namespace testing_support {

class TestApplication : public QCoreApplication {
public:
    using QCoreApplication::QCoreApplication;

    bool notify(QObject *receiver, QEvent *event) override
    {
        try {
            return QCoreApplication::notify(receiver, event);
        } catch (const std::exception &e) {
            Shown.append(QString::fromUtf8(e.what()));
        } catch (...) {
            Shown.append(QStringLiteral("unknown exception"));
        }
        return false;
    }

    static TestApplication &Instance() { return *static_cast<TestApplication *>(instance()); }
    QStringList Shown;  // messages of exceptions that escaped a handler
};

} // namespace testing_support
