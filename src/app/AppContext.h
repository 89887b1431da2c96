#pragma once

#include "core/Clock.h"
#include "core/IniConfig.h"
#include "core/ProgramHome.h"
#include "core/Session.h"
#include "db/DataServices.h"
#include "db/Database.h"

#include <memory>

class Desktop;
class Prompter;

// Everything a window needs, created by main() (or a test on a temporary home) and handed to
// each window's constructor. There are no globals.
class AppContext
{
public:
    AppContext(const QString &homeFolder, Prompter &prompter, Clock &clock, Desktop *desktop = nullptr);

    ProgramHome &home() { return m_home; }
    IniConfig &config() { return m_config; }
    Database &database() { return m_database; }
    DataServices &data() { return m_data; }
    Session &session() { return m_session; }
    Prompter &prompter() { return m_prompter; }
    Clock &clock() { return m_clock; }
    Desktop *desktop() { return m_desktop; }

    // Opens the database config.ini names (the home's data/client.db by default, created there on
    // first start) and brings its schema up to date. The reason of a failure is in *error.
    bool connect(QString *error);

private:
    ProgramHome m_home;
    IniConfig m_config;
    Database m_database;
    Prompter &m_prompter;
    DataServices m_data;
    Clock &m_clock;
    Desktop *m_desktop;
    Session m_session;
};
