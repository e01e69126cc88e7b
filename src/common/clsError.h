#pragma once
#include <QString>

// The program-wide record of the last failure.
class clsError {
public:
    qint32 ErrNumber() const { return m_ErrNumber; }
    void setErrNumber(qint32 v) { m_ErrNumber = v; }
    QString ErrDesc() const { return m_ErrDesc; }
    void setErrDesc(const QString &v) { m_ErrDesc = v; }
    QString ErrSource() const { return m_ErrSource; }
    void setErrSource(const QString &v) { m_ErrSource = v; }
    QString strMoudle() const { return m_strMoudle; }
    void setstrMoudle(const QString &v) { m_strMoudle = v; }
    QString strFunction() const { return m_strFunction; }
    void setstrFunction(const QString &v) { m_strFunction = v; }
    QString strMsg() const { return m_strMsg; }
    void setstrMsg(const QString &v) { m_strMsg = v; }
    QString strContent() const { return m_strContent; }
    void setstrContent(const QString &v) { m_strContent = v; }

private:
    qint32 m_ErrNumber = 0;
    QString m_ErrDesc;
    QString m_ErrSource;
    QString m_strMoudle;
    QString m_strFunction;
    QString m_strMsg;
    QString m_strContent;
};
