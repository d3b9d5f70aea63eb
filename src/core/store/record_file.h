// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "common/result.h"

#include <QByteArray>
#include <QIODevice>
#include <QList>
#include <QString>

namespace zafrano {

// What to do with bytes after the last whole record (a file cut short).
enum class TrailingBytes
{
    Reject,       // the file is damaged: an InvalidData error
    PadWithZeros, // keep them as the start of one more record, as a record reader would
};

// A file of fixed-size records addressed by 1-based record number, with no
// header. The draws, syndicates and settings files are all of this kind.
//
// Nobody writes a data file in place: every change writes the whole new
// content to the work file (same name, extension ".tmp"), flushes it to disk
// and renames it over the target, so a crash leaves the old or the new file.
class RecordFile
{
public:
    RecordFile(QString path, int recordSize, qint64 maxBytes);

    const QString &path() const { return m_path; }
    QString workFilePath() const;

    bool exists() const;
    // Creates an empty file when none is there; an existing file is left alone.
    Status createIfMissing() const;

    // Every record, in order. A missing file reads as empty.
    Result<QList<QByteArray>> readAll(TrailingBytes trailing) const;
    // Record k (1-based); InvalidData when there is no such whole record.
    Result<QByteArray> read(int k) const;

    // Replaces the whole file by these records (each exactly recordSize bytes).
    Status writeAll(const QList<QByteArray> &records) const;
    // Replaces record k (1 ≤ k ≤ count + 1; count + 1 appends).
    Status write(int k, const QByteArray &record, TrailingBytes trailing) const;
    Status append(const QList<QByteArray> &records, TrailingBytes trailing) const;
    // Removes record k; the later records move up by one.
    Status remove(int k, TrailingBytes trailing) const;

private:
    QString m_path;
    int m_recordSize;
    qint64 m_maxBytes;
};

// Reads the whole device, refusing more than maxBytes.
Result<QByteArray> readAllCapped(QIODevice &device, qint64 maxBytes);

// Reads a whole file (NotFound when absent), refusing more than maxBytes.
Result<QByteArray> readFileCapped(const QString &path, qint64 maxBytes);

// Writes content to workPath, flushes it to disk and renames it over target.
Status replaceFileAtomically(const QString &target, const QString &workPath,
                             QByteArrayView content);

// Moves a file to the first free name of `stem.ext`, `stem.ext.1`, … and returns it.
Result<QString> moveAside(const QString &path, const QString &asidePath);

// The error for a failed file operation, with the permission message when the
// folder or file may not be modified.
Error fileError(const QString &path, int savedErrno, const QString &what);

// What follows a sentence that says a file could not be read or written: the
// common causes in the program's words (": el disco está lleno"), any other in
// the system's own, in parentheses; nothing for 0.
QString systemErrorCause(int savedErrno);

// "El archivo X está dañado: <what>." for the file at `path`.
Error damagedFileError(const QString &path, const QString &what);

} // namespace zafrano
