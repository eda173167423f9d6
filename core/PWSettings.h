#pragma once
// The settings store: typed properties, each kept as one text value in the per-user settings of
// application "Focolarium", group "Options". Every read goes to the store (nothing is cached) and
// every write is stored at once. A missing key reads as the property's default text; a stored
// text that does not convert to the property's type raises AppError (type mismatch, overflow).
// The object itself holds only the save-password flag and the last password read or written.

#include <QString>

class PWSettings
{
public:
    QString UserName() const { return readText(QStringLiteral("UserName"), QStringLiteral("Admin")); }
    void setUserName(const QString &v) { writeText(QStringLiteral("UserName"), v); }

    // The stored password comes back only after SavePass has been read as true on this object.
    QString Password();
    void setPassword(const QString &v);
    bool SavePass();
    void setSavePass(bool v);
    bool Autocon();
    void setAutocon(bool v);

    int Promemoria() const { return readInt32(QStringLiteral("ProMemoria"), QStringLiteral("7")); }
    void setPromemoria(int v) { writeNumber(QStringLiteral("ProMemoria"), v); }
    int GiorniScadenza() const { return readInt32(QStringLiteral("GiorniScadenza"), QStringLiteral("30")); }
    void setGiorniScadenza(int v) { writeNumber(QStringLiteral("GiorniScadenza"), v); }
    short ShowScadenze() const { return readInt16(QStringLiteral("ShowScadenze"), QStringLiteral("0")); }
    void setShowScadenze(short v) { writeNumber(QStringLiteral("ShowScadenze"), v); }
    short ShowGiacenze() const { return readInt16(QStringLiteral("ShowGiacenze"), QStringLiteral("0")); }
    void setShowGiacenze(short v) { writeNumber(QStringLiteral("ShowGiacenze"), v); }
    short ShowAppuntament() const { return readInt16(QStringLiteral("ShowAppuntament"), QStringLiteral("0")); }
    void setShowAppuntament(short v) { writeNumber(QStringLiteral("ShowAppuntament"), v); }
    short ShowPromemoria() const { return readInt16(QStringLiteral("ShowPromemoria"), QStringLiteral("0")); }
    void setShowPromemoria(short v) { writeNumber(QStringLiteral("ShowPromemoria"), v); }
    short SelectAzienda() const { return readInt16(QStringLiteral("SelectAzienda"), QStringLiteral("0")); }
    void setSelectAzienda(short v) { writeNumber(QStringLiteral("SelectAzienda"), v); }
    short LeftListAppuntament() const { return readInt16(QStringLiteral("LeftListAppuntament"), QStringLiteral("2500")); }
    void setLeftListAppuntament(short v) { writeNumber(QStringLiteral("LeftListAppuntament"), v); }

    // Further properties, kept for the settings they address; each key is the property's name.
    float LarghezzaColListinoForn() const { return readSingle(QStringLiteral("LarghezzaColListinoForn"), QStringLiteral("1000")); }
    void setLarghezzaColListinoForn(float v) { writeSingle(QStringLiteral("LarghezzaColListinoForn"), v); }
    float LarghezzaColDescrScadenze() const { return readSingle(QStringLiteral("LarghezzaColDescrScadenze"), QStringLiteral("4170")); }
    void setLarghezzaColDescrScadenze(float v) { writeSingle(QStringLiteral("LarghezzaColDescrScadenze"), v); }

    bool VisibleBarraStrumenti() const { return readBool(QStringLiteral("VisibleBarraStrumenti"), QStringLiteral("True")); }
    void setVisibleBarraStrumenti(bool v) { writeBool(QStringLiteral("VisibleBarraStrumenti"), v); }
    bool prtOrdineConNum() const { return readBool(QStringLiteral("prtOrdineConNum"), QStringLiteral("True")); }
    void setPrtOrdineConNum(bool v) { writeBool(QStringLiteral("prtOrdineConNum"), v); }
    bool CheckArticoliDoppi() const { return readBool(QStringLiteral("CheckArticoliDoppi"), QStringLiteral("True")); }
    void setCheckArticoliDoppi(bool v) { writeBool(QStringLiteral("CheckArticoliDoppi"), v); }
    bool prtDDTConNum() const { return readBool(QStringLiteral("prtDDTConNum"), QStringLiteral("False")); }
    void setPrtDDTConNum(bool v) { writeBool(QStringLiteral("prtDDTConNum"), v); }
    bool EnableDistinta() const { return readBool(QStringLiteral("EnableDistinta"), QStringLiteral("False")); }
    void setEnableDistinta(bool v) { writeBool(QStringLiteral("EnableDistinta"), v); }
    bool EnableFornPred() const { return readBool(QStringLiteral("EnableFornPred"), QStringLiteral("False")); }
    void setEnableFornPred(bool v) { writeBool(QStringLiteral("EnableFornPred"), v); }

    short Movimentopnota() const { return readInt16(QStringLiteral("Movimentopnota"), QStringLiteral("0")); }
    void setMovimentopnota(short v) { writeNumber(QStringLiteral("Movimentopnota"), v); }
    short StampaScaricoBanco() const { return readInt16(QStringLiteral("StampaScaricoBanco"), QStringLiteral("0")); }
    void setStampaScaricoBanco(short v) { writeNumber(QStringLiteral("StampaScaricoBanco"), v); }
    short SearchArtInADD() const { return readInt16(QStringLiteral("SearchArtInADD"), QStringLiteral("1")); }
    void setSearchArtInADD(short v) { writeNumber(QStringLiteral("SearchArtInADD"), v); }
    short IvaFlussiCli() const { return readInt16(QStringLiteral("IvaFlussiCli"), QStringLiteral("1")); }
    void setIvaFlussiCli(short v) { writeNumber(QStringLiteral("IvaFlussiCli"), v); }
    short IvaFlussi() const { return readInt16(QStringLiteral("IvaFlussi"), QStringLiteral("1")); }
    void setIvaFlussi(short v) { writeNumber(QStringLiteral("IvaFlussi"), v); }
    short IvaArt() const { return readInt16(QStringLiteral("IvaArt"), QStringLiteral("1")); }
    void setIvaArt(short v) { writeNumber(QStringLiteral("IvaArt"), v); }
    short IvaConti() const { return readInt16(QStringLiteral("IvaConti"), QStringLiteral("1")); }
    void setIvaConti(short v) { writeNumber(QStringLiteral("IvaConti"), v); }
    short DocRiep() const { return readInt16(QStringLiteral("DocRiep"), QStringLiteral("1")); }
    void setDocRiep(short v) { writeNumber(QStringLiteral("DocRiep"), v); }
    short Corrispettivi() const { return readInt16(QStringLiteral("Corrispettivi"), QStringLiteral("1")); }
    void setCorrispettivi(short v) { writeNumber(QStringLiteral("Corrispettivi"), v); }
    short MagazzinoDocOriginale() const { return readInt16(QStringLiteral("MagazzinoDocOriginale"), QStringLiteral("1")); }
    void setMagazzinoDocOriginale(short v) { writeNumber(QStringLiteral("MagazzinoDocOriginale"), v); }
    short ValPost1() const { return readInt16(QStringLiteral("ValPost1"), QStringLiteral("1")); }
    void setValPost1(short v) { writeNumber(QStringLiteral("ValPost1"), v); }
    short ValPost2() const { return readInt16(QStringLiteral("ValPost2"), QStringLiteral("1")); }
    void setValPost2(short v) { writeNumber(QStringLiteral("ValPost2"), v); }
    short ValPost3() const { return readInt16(QStringLiteral("ValPost3"), QStringLiteral("1")); }
    void setValPost3(short v) { writeNumber(QStringLiteral("ValPost3"), v); }
    short ValPost4() const { return readInt16(QStringLiteral("ValPost4"), QStringLiteral("1")); }
    void setValPost4(short v) { writeNumber(QStringLiteral("ValPost4"), v); }
    short ValPost5() const { return readInt16(QStringLiteral("ValPost5"), QStringLiteral("1")); }
    void setValPost5(short v) { writeNumber(QStringLiteral("ValPost5"), v); }
    short ValPost6() const { return readInt16(QStringLiteral("ValPost6"), QStringLiteral("1")); }
    void setValPost6(short v) { writeNumber(QStringLiteral("ValPost6"), v); }
    short SelectedTreeView() const { return readInt16(QStringLiteral("SelectedTreeView"), QStringLiteral("1")); }
    void setSelectedTreeView(short v) { writeNumber(QStringLiteral("SelectedTreeView"), v); }
    short TipoCalcoloInventario() const { return readInt16(QStringLiteral("TipoCalcoloInventario"), QStringLiteral("2")); }
    void setTipoCalcoloInventario(short v) { writeNumber(QStringLiteral("TipoCalcoloInventario"), v); }
    short MaxSelStatistica() const { return readInt16(QStringLiteral("MaxSelStatistica"), QStringLiteral("15")); }
    void setMaxSelStatistica(short v) { writeNumber(QStringLiteral("MaxSelStatistica"), v); }
    short MaxnStampa() const { return readInt16(QStringLiteral("MaxnStampa"), QStringLiteral("100")); }
    void setMaxnStampa(short v) { writeNumber(QStringLiteral("MaxnStampa"), v); }
    short MaxCharinCBarre() const { return readInt16(QStringLiteral("MaxCharinCBarre"), QStringLiteral("100")); }
    void setMaxCharinCBarre(short v) { writeNumber(QStringLiteral("MaxCharinCBarre"), v); }
    short MaxSelArticoli() const { return readInt16(QStringLiteral("MaxSelArticoli"), QStringLiteral("1000")); }
    void setMaxSelArticoli(short v) { writeNumber(QStringLiteral("MaxSelArticoli"), v); }
    short MaxSelScorte() const { return readInt16(QStringLiteral("MaxSelScorte"), QStringLiteral("1000")); }
    void setMaxSelScorte(short v) { writeNumber(QStringLiteral("MaxSelScorte"), v); }
    short MaxSelMov() const { return readInt16(QStringLiteral("MaxSelMov"), QStringLiteral("1000")); }
    void setMaxSelMov(short v) { writeNumber(QStringLiteral("MaxSelMov"), v); }
    short MaxSelScadenze() const { return readInt16(QStringLiteral("MaxSelScadenze"), QStringLiteral("1000")); }
    void setMaxSelScadenze(short v) { writeNumber(QStringLiteral("MaxSelScadenze"), v); }
    short MaxSelIncassi() const { return readInt16(QStringLiteral("MaxSelIncassi"), QStringLiteral("1000")); }
    void setMaxSelIncassi(short v) { writeNumber(QStringLiteral("MaxSelIncassi"), v); }
    short MaxSelPNota() const { return readInt16(QStringLiteral("MaxSelPNota"), QStringLiteral("1000")); }
    void setMaxSelPNota(short v) { writeNumber(QStringLiteral("MaxSelPNota"), v); }

    int IvaPresunta() const { return readInt32(QStringLiteral("IvaPresunta"), QStringLiteral("20")); }
    void setIvaPresunta(int v) { writeNumber(QStringLiteral("IvaPresunta"), v); }
    double RitenutaAcconto() const { return readDouble(QStringLiteral("RitenutaAcconto"), QStringLiteral("0")); }
    void setRitenutaAcconto(double v) { writeDouble(QStringLiteral("RitenutaAcconto"), v); }

    QString DescrizionePieDocum() const { return readText(QStringLiteral("DescrizionePieDocum"), QString()); }
    void setDescrizionePieDocum(const QString &v) { writeText(QStringLiteral("DescrizionePieDocum"), v); }
    QString PathImageServer() const { return readText(QStringLiteral("PathImageServer"), QString()); }
    void setPathImageServer(const QString &v) { writeText(QStringLiteral("PathImageServer"), v); }
    QString OrigineFileCassa() const { return readText(QStringLiteral("OrigineFileCassa"), QString()); }
    void setOrigineFileCassa(const QString &v) { writeText(QStringLiteral("OrigineFileCassa"), v); }
    QString DestinoFileCassa() const { return readText(QStringLiteral("DestinoFileCassa"), QString()); }
    void setDestinoFileCassa(const QString &v) { writeText(QStringLiteral("DestinoFileCassa"), v); }
    QString PercorsoFileMDB_RecART() const { return readText(QStringLiteral("PercorsoFileMDB_RecART"), QString()); }
    void setPercorsoFileMDB_RecART(const QString &v) { writeText(QStringLiteral("PercorsoFileMDB_RecART"), v); }
    QString PathEtichetteDefault() const { return readText(QStringLiteral("PathEtichetteDefault"), QStringLiteral("Default.lbl")); }
    void setPathEtichetteDefault(const QString &v) { writeText(QStringLiteral("PathEtichetteDefault"), v); }
    QString CampoDescrStatistiche() const { return readText(QStringLiteral("CampoDescrStatistiche"), QStringLiteral("Cod")); }
    void setCampoDescrStatistiche(const QString &v) { writeText(QStringLiteral("CampoDescrStatistiche"), v); }
    QString OrderRiepDoc() const
    {
        return readText(QStringLiteral("OrderRiepDoc"), QStringLiteral("Tab_Testa.Nfattura, Documenti.TipiFatture"));
    }
    void setOrderRiepDoc(const QString &v) { writeText(QStringLiteral("OrderRiepDoc"), v); }
    QString Post1() const { return readText(QStringLiteral("Post1"), QStringLiteral("Post1")); }
    void setPost1(const QString &v) { writeText(QStringLiteral("Post1"), v); }
    QString Post2() const { return readText(QStringLiteral("Post2"), QStringLiteral("Post2")); }
    void setPost2(const QString &v) { writeText(QStringLiteral("Post2"), v); }
    QString Post3() const { return readText(QStringLiteral("Post3"), QStringLiteral("Post3")); }
    void setPost3(const QString &v) { writeText(QStringLiteral("Post3"), v); }
    QString Post4() const { return readText(QStringLiteral("Post4"), QStringLiteral("Post4")); }
    void setPost4(const QString &v) { writeText(QStringLiteral("Post4"), v); }
    QString Post5() const { return readText(QStringLiteral("Post5"), QStringLiteral("Post5")); }
    void setPost5(const QString &v) { writeText(QStringLiteral("Post5"), v); }
    QString Post6() const { return readText(QStringLiteral("Post6"), QStringLiteral("Post6")); }
    void setPost6(const QString &v) { writeText(QStringLiteral("Post6"), v); }

private:
    // The store under application and organization "Focolarium", group "Options".
    QString readText(const QString &key, const QString &defaultText) const;
    void writeText(const QString &key, const QString &text);
    void removeKey(const QString &key);

    short readInt16(const QString &key, const QString &defaultText) const;
    int readInt32(const QString &key, const QString &defaultText) const;
    float readSingle(const QString &key, const QString &defaultText) const;
    double readDouble(const QString &key, const QString &defaultText) const;
    bool readBool(const QString &key, const QString &defaultText) const;
    void writeNumber(const QString &key, int v);
    void writeSingle(const QString &key, float v);
    void writeDouble(const QString &key, double v);
    void writeBool(const QString &key, bool v);

    bool m_savePass = false;   // set only by reading SavePass
    QString m_password;        // the password last read or written
};
