#include "ConsolePrompter.h"

#include <cstdio>

int ConsolePrompter::ShowMess(const QString &text, MessageKind kind)
{
    std::fprintf(stderr, "%s\n", text.toLocal8Bit().constData());
    return kind == MessageKind::Question ? No : 0;
}
