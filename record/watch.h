#pragma once
#include "record/recorder.h"

#include <QObject>

namespace lumora::record {

// Passes runs and answers on to the record and says so after each one, so
// that a window showing the record can follow it.
class Watch : public QObject, public Recorder {
    Q_OBJECT
public:
    explicit Watch(Recorder& record) : record(record) {}

    void runStarted(int exercise, Variant variant) override;
    void answered(const Answer& answer) override;
    void runEnded(bool finished) override;

signals:
    void written();

private:
    Recorder& record;
};

} // namespace lumora::record
