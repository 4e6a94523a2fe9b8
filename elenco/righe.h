// SPDX-License-Identifier: MIT
#pragma once

// The list engine reads a table one row at a time from a source and writes
// one row at a time to a destination, so that memory stays the same whatever
// the table's length. Every failure is a value: a reason in Italian.

#include <QString>
#include <QStringList>

// The reason of the first failure, in Italian.
class ConMotivo
{
public:
    QString errore() const { return m_errore; }

protected:
    bool fallisce(const QString &motivo)
    {
        m_errore = motivo;
        return false;
    }

private:
    QString m_errore;
};

class SorgenteRighe : public ConMotivo
{
public:
    virtual ~SorgenteRighe() = default;
    // The next row's cells. False at the end of the table or on a failure,
    // which errore() then names.
    virtual bool leggi(QStringList *celle) = 0;
    // How far reading has gone, as a fraction of the whole, 0 to 1.
    virtual double avanzamento() const = 0;
};

class DestinazioneRighe : public ConMotivo
{
public:
    virtual ~DestinazioneRighe() = default;
    virtual bool scrivi(const QStringList &celle) = 0;
    // Completes the output: only now does a results file take its name.
    virtual bool chiudi() = 0;
};
