// Records every Content-Security-Policy violation of the page, for the tests to read.
window.policyViolations = [];
document.addEventListener('securitypolicyviolation', (event) => {
    window.policyViolations.push(`${event.violatedDirective}: ${event.blockedURI || 'inline'}`);
});
