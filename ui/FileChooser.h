#pragma once
// The Load and Save commands' file dialogs. The program uses Qt's dialogs; tests
// answer with a file name of their own.

#include <QString>

#include <optional>

class QWidget;

namespace velmora {

class FileChooser {
public:
    virtual ~FileChooser() = default;
    // "Load file": an existing file, starting in the current folder; nothing on cancel.
    virtual std::optional<QString> chooseFileToLoad(QWidget* parent) = 0;
    // "Save file": proposed name "*.hex", asks before overwriting; nothing on cancel.
    virtual std::optional<QString> chooseFileToSave(QWidget* parent) = 0;
};

class QtFileChooser : public FileChooser {
public:
    std::optional<QString> chooseFileToLoad(QWidget* parent) override;
    std::optional<QString> chooseFileToSave(QWidget* parent) override;
};

} // namespace velmora
