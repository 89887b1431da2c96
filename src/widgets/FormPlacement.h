#pragma once

class QWidget;

// Where a window that has just been created appears, before it is shown modally.
enum class FormPosition {
    Analysis = 0, // statistics and analysis windows from the main window
    Editor = 1, // record editors opened from record lists: over their caller
    List = 2, // list windows from the main window
};

// Centres `form` over `anchor` (its caller, or the main window), kept on the anchor's screen.
void DispFormPos(QWidget *form, FormPosition mode, const QWidget *anchor = nullptr);
