#pragma once

#include "net/decode/web_endpoints.h"

#include <QString>
#include <QUrl>
#include <QWidget>
#include <functional>
#include <memory>
#include <string>
#include <vector>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QVBoxLayout;

namespace skelvane {

class BrowserHandOff;
class BrowserView;
class LocationPage;
class SettingsStore;
struct Settings;

// The Weather page (WeatherSheet): a forecast address built from the chosen source and
// place, an address box with this run's visited addresses, and the embedded browser
// (WebBrowser1) below. The browser comes from the browser plugin, loaded the first time
// the page navigates; without it the page says so in one line and "Open Browser" still
// hands the address to the user's own browser.
class WeatherPage : public QWidget {
    Q_OBJECT
public:
    // Makes the embedded browser; nothing (with a one-line reason) when it cannot.
    using BrowserSource =
        std::function<std::unique_ptr<BrowserView>(QWidget* parent, QString* error)>;

    WeatherPage(Settings& settings, SettingsStore& store, BrowserHandOff& handOff,
                QWidget* parent = nullptr);
    ~WeatherPage() override;

    // Where the place, the station code and the forecast cities come from.
    void setLocationPage(LocationPage* page);
    // The browser maker; by default the browser plugin. Takes effect before first use.
    void setBrowserSource(BrowserSource source);
    // The hosts the forecast addresses are built on; by default the compiled-in ones. The
    // views inside must outlive the page.
    void setEndpoints(const WebEndpoints& endpoints);

    // The information window's show step: the stored city and source, the location field.
    void FormShow();
    // The start-up rule when the window was last left on this page: open SaveURL, or get
    // the forecast when no address is saved.
    void OpenStartAddress();

    // Builds the forecast address into the address box; a failure leaves the box as it was.
    void SetURL();
    void SetWeatherBoxVisibility(int source);
    // "Get Weather", also choosing an entry of the address list.
    void GetForecast();
    void BrowserGoButClick();
    void BackButClick();
    void ForwardButClick();
    void RefreshButClick();
    void SaveAddressButClick();
    void GoBrowserButClick();
    void WeatherSourceBoxSelect();
    void CityBoxSelect();
    // The forecast city list changed: the city box follows, its first entry selected.
    void fillCityBox();
    // A navigation completed: the address goes to the top of the list unless the list
    // holds it already (ASCII case ignored), and into the address box.
    void WebBrowser1NavigateComplete2(const QUrl& address);

    QString addressText() const;
    void setAddressText(const QString& text);
    // This run's visited addresses, newest first.
    const std::vector<std::string>& history() const { return history_; }
    // The embedded browser once it was made, else nullptr.
    BrowserView* browser() const { return browser_.get(); }
    // The one line shown instead of the browser; empty while none is shown.
    QString browserMessage() const;
    // A navigation was started and has not completed yet.
    bool navigationPending() const { return navigationPending_; }

    QPushButton* GetWeatherBut = nullptr;
    QComboBox* WeatherSourceBox = nullptr;
    QComboBox* BrowseBox = nullptr;
    QPushButton* BrowserGoBut = nullptr;
    QPushButton* GoBrowserBut = nullptr;
    QPushButton* SaveAddressBut = nullptr;
    QPushButton* RefreshBut = nullptr;
    QPushButton* BackBut = nullptr;
    QPushButton* ForwardBut = nullptr;
    QLabel* CityStateZipLabel = nullptr;
    QLineEdit* CityStateZipEd = nullptr;
    QComboBox* StateBox2 = nullptr;
    QComboBox* CityBox = nullptr;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void buildControls();
    // Makes the browser the first time; false when there is none.
    bool ensureBrowser();
    void navigate(const QString& address);

    Settings& settings_;
    SettingsStore& store_;
    BrowserHandOff& handOff_;
    LocationPage* location_ = nullptr;
    BrowserSource browserSource_;
    const WebEndpoints* endpoints_;
    std::unique_ptr<BrowserView> browser_;
    bool browserTried_ = false;
    bool navigationPending_ = false;
    QWidget* browserArea_ = nullptr;
    QVBoxLayout* browserLayout_ = nullptr;
    QLabel* browserMessage_ = nullptr;
    std::vector<std::string> history_;
};

// The one entry of the city box while no place list is loaded.
inline constexpr const char* kDefaultForecastCity = "New York (Manhattan)";

} // namespace skelvane
