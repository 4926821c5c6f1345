#include <gtest/gtest.h>

#include <QDir>

#include "config/configlocation.h"

namespace {

// Sets an environment variable for the life of the object.
class EnvironmentVariable {
public:
    EnvironmentVariable(const char* name, const QByteArray& value)
        : name_(name), had_(qEnvironmentVariableIsSet(name)), old_(qgetenv(name)) {
        qputenv(name, value);
    }
    ~EnvironmentVariable() {
        if (had_) {
            qputenv(name_, old_);
        } else {
            qunsetenv(name_);
        }
    }

private:
    const char* name_;
    bool had_;
    QByteArray old_;
};

}  // namespace

TEST(ConfigLocation, FollowsXdgConfigHome) {
    {
        EnvironmentVariable xdg("XDG_CONFIG_HOME", "/srv/cfg");
        EXPECT_EQ(ConfigLocation::defaultPath(), "/srv/cfg/Quintora/Quintora.ini");
    }
    const QString usual = QDir::homePath() + "/.config/Quintora/Quintora.ini";
    {
        EnvironmentVariable xdg("XDG_CONFIG_HOME", "");
        EXPECT_EQ(ConfigLocation::defaultPath(), usual);
    }
    {
        EnvironmentVariable xdg("XDG_CONFIG_HOME", "relative/dir");  // not valid: ignored
        EXPECT_EQ(ConfigLocation::defaultPath(), usual);
    }
}

TEST(ConfigLocation, TheConfigOptionOverridesIt) {
    EnvironmentVariable xdg("XDG_CONFIG_HOME", "/srv/cfg");
    const QString usual = "/srv/cfg/Quintora/Quintora.ini";
    EXPECT_EQ(ConfigLocation::fromArguments({"quintora"}), usual);
    EXPECT_EQ(ConfigLocation::fromArguments({"quintora", "--config", "/tmp/a.ini"}), "/tmp/a.ini");
    EXPECT_EQ(ConfigLocation::fromArguments({"quintora", "--config=/tmp/b.ini", "--demo"}),
              "/tmp/b.ini");
    EXPECT_EQ(ConfigLocation::fromArguments(
                  {"quintora", "--config", "/tmp/a.ini", "--config", "/tmp/c.ini"}),
              "/tmp/c.ini");
    EXPECT_EQ(ConfigLocation::fromArguments({"quintora", "--config"}), usual);
    EXPECT_EQ(ConfigLocation::fromOption(""), usual);
    EXPECT_EQ(ConfigLocation::fromOption("rel/q.ini"), QDir::current().filePath("rel/q.ini"));
}

TEST(ConfigLocation, TheBackupLiesBesideTheFile) {
    EXPECT_EQ(ConfigLocation::backupPath("/srv/cfg/Quintora/Quintora.ini"),
              "/srv/cfg/Quintora/Quintora.old");
    EXPECT_EQ(ConfigLocation::backupPath("/tmp/stage.ini"), "/tmp/stage.old");
}
