#pragma once

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>
#include <QtGlobal>

namespace tavik::test {

// A registry of the current user of its own for the life of this object: TAVIK_REGISTRY names a
// file in a fresh temporary folder, which starts without any key.
class TempRegistry {
public:
    TempRegistry()
        : previous_(qgetenv("TAVIK_REGISTRY")),
          hadPrevious_(qEnvironmentVariableIsSet("TAVIK_REGISTRY")) {
        qputenv("TAVIK_REGISTRY", path().toUtf8());
    }
    ~TempRegistry() {
        if (hadPrevious_)
            qputenv("TAVIK_REGISTRY", previous_);
        else
            qunsetenv("TAVIK_REGISTRY");
    }
    TempRegistry(const TempRegistry&) = delete;
    TempRegistry& operator=(const TempRegistry&) = delete;

    QString path() const { return dir_.filePath("registry.json"); }
    QString folder() const { return dir_.path(); }

private:
    QTemporaryDir dir_;
    QByteArray previous_;
    bool hadPrevious_;
};

}  // namespace tavik::test
