#pragma once

#include <QLibrary>
#include <QString>
#include <QStringList>

#include "forms/MorvelApi.h"

namespace tavik {

// The frame's hold on the morvel library: the library is loaded on the first document command
// and stays until the frame closes. ShowForm and OpenDocument are looked up once and kept; every
// other export is looked up at each use, and only while the library is loaded.
class MorvelBinding {
public:
    // The library at defaultPath().
    MorvelBinding();
    explicit MorvelBinding(QString path);
    // Unloads.
    ~MorvelBinding();
    MorvelBinding(const MorvelBinding&) = delete;
    MorvelBinding& operator=(const MorvelBinding&) = delete;

    // Where the frame looks for the library: beside the program, then in "../lib/tavik/" (the
    // installed layout).
    static QStringList searchedPaths(const QString& programFolder);
    // The first searched place that holds the library; the first place when none does.
    static QString defaultPath(const QString& programFolder);
    static QString defaultPath();  // of the running program

    const QString& path() const { return path_; }
    bool isLoaded() const { return loaded_; }

    // Loads the library when it is not yet loaded and lets it attach. False when it cannot be
    // loaded or is not a morvel library; loadError() then says why (Polish), naming every place
    // searched when the library is at none of them.
    bool load();
    const QString& loadError() const { return loadError_; }

    // Null until the library is loaded, or when it lacks the export. Found once, then kept.
    ShowFormFn showForm();
    OpenDocumentFn openDocument();

    // An export looked up by name now; null while the library is not loaded or lacks it.
    template <typename Fn>
    Fn resolve(const char* name) {
        return reinterpret_cast<Fn>(lookUp(name));
    }

    // Lets the library detach (it destroys its windows there) and unloads it. Nothing when it
    // is not loaded.
    void unload();

private:
    QFunctionPointer lookUp(const char* name);

    QString path_;
    QLibrary library_;
    bool loaded_ = false;
    QString loadError_;
    ShowFormFn showForm_ = nullptr;
    OpenDocumentFn openDocument_ = nullptr;
};

}  // namespace tavik
