#pragma once
#include <QDir>
#include <QTemporaryDir>
#include <fstream>
#include <string>
#include <unistd.h>

// A fresh temporary folder that becomes the working directory (the program folder) for the
// life of the object; the previous working directory comes back afterwards.
class TempFolder {
public:
    TempFolder() {
        char buf[4096];
        previous_ = ::getcwd(buf, sizeof(buf)) ? buf : ".";
        if (::chdir(dir_.path().toStdString().c_str()) != 0) ok_ = false;
    }
    ~TempFolder() {
        if (::chdir(previous_.c_str()) != 0) {
        }
    }
    std::string path() const { return dir_.path().toStdString(); }
    bool ok() const { return ok_ && dir_.isValid(); }

    // Writes a file relative to the folder, creating its parent folders.
    void write(const std::string& name, const std::string& content) const {
        const std::string full = path() + "/" + name;
        QDir().mkpath(QString::fromStdString(full.substr(0, full.rfind('/'))));
        std::ofstream out(full, std::ios::binary);
        out << content;
    }
    std::string read(const std::string& name) const {
        std::ifstream in(path() + "/" + name, std::ios::binary);
        return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    }

private:
    QTemporaryDir dir_;
    std::string previous_;
    bool ok_ = true;
};
