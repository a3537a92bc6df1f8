#pragma once

// Where the file tests run: a folder on the local disk, and, when
// scripts/school-share.sh has mounted the school's file server, the same
// folder reached through both workstations' mounts of the share
// (TABULON_SHARE_A and TABULON_SHARE_B name the two mounts). On the share,
// workstation A and workstation B see one folder through two SMB connections;
// on the local disk both are the same path.

#include <QDir>
#include <QString>
#include <QTemporaryDir>
#include <QUuid>

#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace ShareRoots {

enum class Where { LocalDisk, SambaShare };

inline std::string name(const testing::TestParamInfo<Where> &info)
{
    return info.param == Where::LocalDisk ? "LocalDisk" : "SambaShare";
}

inline QString shareMount(const char *variable)
{
    return QString::fromLocal8Bit(qgetenv(variable));
}

inline bool shareAvailable()
{
    return !shareMount("TABULON_SHARE_A").isEmpty() && !shareMount("TABULON_SHARE_B").isEmpty();
}

// One fresh folder per test, seen from both workstations; removed at the end.
class Folder
{
public:
    explicit Folder(Where where)
    {
        if (where == Where::LocalDisk) {
            m_local = std::make_unique<QTemporaryDir>();
            m_a = m_b = m_local->path();
            return;
        }
        const QString sub = QStringLiteral("t-") + QUuid::createUuid().toString(QUuid::WithoutBraces);
        m_a = shareMount("TABULON_SHARE_A") + u'/' + sub;
        m_b = shareMount("TABULON_SHARE_B") + u'/' + sub;
        QDir().mkpath(m_a);
    }
    ~Folder()
    {
        if (!m_local)
            QDir(m_a).removeRecursively();
    }
    Folder(const Folder &) = delete;
    Folder &operator=(const Folder &) = delete;

    bool valid() const { return m_local ? m_local->isValid() : QDir(m_b).exists(); }
    // A path as workstation A, or B, reaches it.
    QString a(const QString &relative = QString()) const { return relative.isEmpty() ? m_a : m_a + u'/' + relative; }
    QString b(const QString &relative = QString()) const { return relative.isEmpty() ? m_b : m_b + u'/' + relative; }

private:
    std::unique_ptr<QTemporaryDir> m_local;
    QString m_a;
    QString m_b;
};

// Base fixture: GetParam() says where; share cases are skipped (with the
// reason) when no share is mounted.
class OnEachDisk : public testing::TestWithParam<Where>
{
protected:
    void SetUp() override
    {
        if (GetParam() == Where::SambaShare && !shareAvailable())
            GTEST_SKIP() << "no school share mounted (bash scripts/school-share.sh, then TABULON_SHARE_A/B)";
        folder = std::make_unique<Folder>(GetParam());
        ASSERT_TRUE(folder->valid());
    }
    std::unique_ptr<Folder> folder;
};

} // namespace ShareRoots

#define TABULON_ON_EACH_DISK(Fixture)                                                                          \
    INSTANTIATE_TEST_SUITE_P(Disks, Fixture,                                                                   \
                             testing::Values(ShareRoots::Where::LocalDisk, ShareRoots::Where::SambaShare),     \
                             ShareRoots::name)
