#pragma once

#include <QMainWindow>

class Prynex;

// A window that places Prynex, loads the control's settings from a form
// file, builds a short document with a table, offers the property sheet and
// saves the form file again when the settings change.
class DemoWindow : public QMainWindow
{
    Q_OBJECT
public:
    explicit DemoWindow(const QString &formFile, QWidget *parent = nullptr);

    Prynex *control() const { return m_prynex; }
    void buildDocument();
    bool loadForm();
    bool saveForm();

private:
    Prynex *m_prynex;
    QString m_formFile;
    bool m_dirty = false;
};
