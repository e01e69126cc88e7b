#pragma once
#include <QString>

// One record: a key and up to seven strings.
class clsStringValueWithKey {
public:
    QString GetByIndex(qint16 i) const;
    void SetByIndex(qint16 i, const QString &s);

    QString Key() const { return m_Key; }
    void setKey(const QString &v) { m_Key = v; }
    QString Value1() const { return m_v[0]; }
    void setValue1(const QString &v) { m_v[0] = v; }
    QString Value2() const { return m_v[1]; }
    void setValue2(const QString &v) { m_v[1] = v; }
    QString Value3() const { return m_v[2]; }
    void setValue3(const QString &v) { m_v[2] = v; }
    QString Value4() const { return m_v[3]; }
    void setValue4(const QString &v) { m_v[3] = v; }
    QString Value5() const { return m_v[4]; }
    void setValue5(const QString &v) { m_v[4] = v; }
    QString Value6() const { return m_v[5]; }
    void setValue6(const QString &v) { m_v[5] = v; }
    QString Value7() const { return m_v[6]; }
    void setValue7(const QString &v) { m_v[6] = v; }

private:
    QString m_Key;
    QString m_v[7];
};
