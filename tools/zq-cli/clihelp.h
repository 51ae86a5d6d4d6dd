#pragma once

#include <QCoreApplication>
#include <QList>
#include <QString>

// zq-cli's --help in the chosen language. A terminal gives a Chinese character two columns, so the
// columns are aligned by those display columns and not by characters, and the section words
// ("用法", "选项", "参数") are translated with the rest.
class CliHelp
{
    Q_DECLARE_TR_FUNCTIONS(CliHelp)
public:
    struct Entry
    {
        QString names; // "-h, --help", "--udp <主机:端口>", "<子命令>"
        QString text;
    };

    // The terminal columns that text takes: two for wide East Asian characters, one for the rest.
    static int displayWidth(const QString& text);
    // Breaks text into lines of at most width columns: at blanks, or between two Chinese characters.
    static QStringList wrap(const QString& text, int width);

    // The whole help: the usage line, the description, then the options and the arguments with
    // every text starting in one column.
    static QString text(const QString& usageLine, const QString& description, const QList<Entry>& options,
                        const QList<Entry>& arguments);
};
