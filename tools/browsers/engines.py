"""The browser engines the tests drive, each through its own protocol."""
import bidi
import cdp
import webdriver

ENGINES = {
    'chromium': cdp.Browser,  # the DevTools protocol
    'firefox': bidi.Browser,  # WebDriver BiDi, built into Firefox
    'webkit': webdriver.Browser,  # W3C WebDriver over HTTP, by WebKitWebDriver
}
