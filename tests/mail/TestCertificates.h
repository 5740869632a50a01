#pragma once

#include "AiosmtpdServer.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

// The certificates of the TLS tests (make_certs.py in scriptsFolder), made once per test
// program, with the test authority trusted through SSL_CERT_FILE before the first handshake.
// Register it with ::testing::AddGlobalTestEnvironment.
class TestCertificates : public ::testing::Environment
{
public:
    explicit TestCertificates(QString scriptsFolder) : m_scripts(std::move(scriptsFolder)) {}

    static QString path(const QString &name) { return folder().filePath(name); }
    void SetUp() override
    {
        const QString out = runPython({m_scripts + QStringLiteral("/make_certs.py"), folder().path()});
        ASSERT_TRUE(QFile::exists(path(QStringLiteral("ca.pem")))) << out.toStdString();
        qputenv("SSL_CERT_FILE", QFile::encodeName(path(QStringLiteral("ca.pem"))));
        qunsetenv("SSL_CERT_DIR");
    }

private:
    static QTemporaryDir &folder()
    {
        static QTemporaryDir dir;
        return dir;
    }

    QString m_scripts;
};
